#pragma once
// A disabled test of this program run in a child process at another DPI:
// Wine takes the DPI from the registry when a process starts.
#include <windows.h>

#include <string>

#include "standin/win32/desktop_automation.h"

namespace varnel::tests {

// The child's output; it finds the DPI it must see in VARNEL_EXPECTED_DPI.
inline win::Captured runAtDpi(DWORD dpi, const std::wstring& disabledTest) {
  const wchar_t* key = L"Control Panel\\Desktop";
  RegSetKeyValueW(HKEY_CURRENT_USER, key, L"LogPixels", REG_DWORD, &dpi, sizeof dpi);
  SetEnvironmentVariableW(L"VARNEL_EXPECTED_DPI", std::to_wstring(dpi).c_str());
  auto child = win::runCaptured(L"wine_ui_tests.exe",
                                L"--gtest_also_run_disabled_tests --gtest_filter=" + disabledTest);
  RegDeleteKeyValueW(HKEY_CURRENT_USER, key, L"LogPixels");
  SetEnvironmentVariableW(L"VARNEL_EXPECTED_DPI", nullptr);
  return child;
}

}  // namespace varnel::tests
