#include "win32/base/window_text.h"

#include "win32/base/text.h"

namespace varnel::win {

std::string windowText(HWND window) {
  std::wstring text(GetWindowTextLengthW(window) + 1, L'\0');
  text.resize(GetWindowTextW(window, text.data(), static_cast<int>(text.size())));
  return narrow(text);
}

}  // namespace varnel::win
