#pragma once
// Screenshots: what the screen shows where a window lies, as a PNG file.
#include <windows.h>

#include <string>

namespace varnel::win {

enum class CaptureArea { client, wholeWindow };

// Finishes the window's pending paints, then saves the screen area its
// client area (or the whole window, frame and title bar included, where a
// desktop draws them) covers. Throws varnel::base::Error when the file cannot be written.
void saveWindowPng(HWND window, const std::string& path, CaptureArea area = CaptureArea::client);

}  // namespace varnel::win
