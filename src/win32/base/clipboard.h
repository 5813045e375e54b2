#pragma once
// Text onto the clipboard, as Unicode text.
#include <windows.h>

#include <string>

namespace varnel::win {

// False when the clipboard could not be had (another program holds it).
bool copyToClipboard(HWND owner, const std::wstring& text);

}  // namespace varnel::win
