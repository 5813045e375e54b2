#include "win32/ui/ansi_code_page.h"

#include <windows.h>

namespace varnel::win {

std::optional<std::string> AnsiCodePage::encode(std::string_view utf8) {
  if (utf8.empty()) return std::string();
  const int wideSize = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                           static_cast<int>(utf8.size()), nullptr, 0);
  if (wideSize <= 0) return std::nullopt;
  std::wstring wide(wideSize, L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                      wide.data(), wideSize);
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize, nullptr,
                                       0, nullptr, &lossy);
  if (size <= 0 || lossy) return std::nullopt;
  std::string bytes(size, '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), wideSize, bytes.data(), size,
                      nullptr, &lossy);
  if (lossy) return std::nullopt;
  return bytes;
}

}  // namespace varnel::win
