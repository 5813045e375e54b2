#pragma once
// A window's text, or a control's, as UTF-8.
#include <windows.h>

#include <string>

namespace varnel::win {

std::string windowText(HWND window);

}  // namespace varnel::win
