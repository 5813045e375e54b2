#pragma once
// Screenshots: what the screen shows where a window lies, as a PNG file.
#include <windows.h>

#include <string>

namespace varnel::win {

// Finishes the window's pending paints, then saves the screen area its
// client area covers. Throws
// varnel::Error when the file cannot be written.
void saveWindowPng(HWND window, const std::string& path);

}  // namespace varnel::win
