#include "win32/ui/user_folders.h"

#include <windows.h>

#include <shlobj.h>

#include <filesystem>

#include "win32/base/text.h"
#include "win32/base/unique_handle.h"

namespace varnel::win {

std::string journalFolder() {
  const wchar_t* local = _wgetenv(L"LOCALAPPDATA");
  const std::filesystem::path base =
      local && *local ? std::filesystem::path(local) : std::filesystem::temp_directory_path();
  return narrow((base / L"Varnel" / L"Journal").wstring());
}

std::string documentsFolder() {
  PWSTR path = nullptr;
  // The shell allocates the path even when it fails.
  const HRESULT found = SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &path);
  const UniqueHandle<PWSTR, &CoTaskMemFree> owned(path);
  return SUCCEEDED(found) && path ? narrow(path) : std::string();
}

}  // namespace varnel::win
