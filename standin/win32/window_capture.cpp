#include "standin/win32/window_capture.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "base/error.h"
#include "base/png_image.h"
#include "win32/base/gdi_handles.h"
#include "win32/base/text.h"

namespace varnel::win {

namespace {

// The device context of the screen, released when done.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class MemoryDc {
 public:
  explicit MemoryDc(HDC like) : dc_(CreateCompatibleDC(like)) {}
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;
  ~MemoryDc() { DeleteDC(dc_); }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// Without a window manager or a desktop of Wine's own nothing draws a frame:
// the client area is then all there is to show.
RECT screenArea(HWND window, CaptureArea part) {
  if (part == CaptureArea::wholeWindow) {
    RECT whole;
    GetWindowRect(window, &whole);
    return whole;
  }
  RECT client;
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  return {origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

}  // namespace

void saveWindowPng(HWND window, const std::string& path, CaptureArea part) {
  // Finish pending paints only: a forced repaint would be caught half-drawn.
  RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  GdiFlush();
  const RECT area = screenArea(window, part);
  const int width = area.right - area.left, height = area.bottom - area.top;
  ScreenDc screen;
  MemoryDc memory(screen.get());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  GdiObject bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap.get()) throw base::Error(7, "Out of memory: no bitmap for the screenshot");
  HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
  BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY);
  SelectObject(memory.get(), previous);
  GdiFlush();
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
  const auto* bgra = static_cast<const std::uint8_t*>(bits);
  for (std::size_t i = 0; i < static_cast<std::size_t>(width) * height; ++i) {
    rgb[i * 3] = bgra[i * 4 + 2];
    rgb[i * 3 + 1] = bgra[i * 4 + 1];
    rgb[i * 3 + 2] = bgra[i * 4];
  }
  std::ofstream out(std::filesystem::path(widen(path)), std::ios::binary);
  out << base::encodePng(width, height, rgb);
  if (!out) throw base::Error(75, "Path/File access error: " + path);
}

}  // namespace varnel::win
