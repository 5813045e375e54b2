#pragma once
// How large text is in a font, measured on a window's screen.
#include <windows.h>

#include <string>

namespace varnel::win {

// The width of text in the given font, in pixels.
int textWidth(HWND window, HGDIOBJ font, const std::wstring& text);
// The height of a line of font, in pixels.
int fontHeight(HWND window, HGDIOBJ font);

}  // namespace varnel::win
