#pragma once
// A window's device context with one object selected into it; both are put
// back when it goes.
#include <windows.h>

namespace varnel::win {

class WindowDc {
 public:
  WindowDc(HWND window, HGDIOBJ selected)
      : window_(window), dc_(GetDC(window)), previous_(SelectObject(dc_, selected)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    SelectObject(dc_, previous_);
    ReleaseDC(window_, dc_);
  }
  HDC get() const noexcept { return dc_; }

 private:
  HWND window_;
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace varnel::win
