#pragma once
// Move-only owners of a window, a GDI object and an icon.
#include <windows.h>

#include <string>
#include <utility>

#include "win32/base/unique_handle.h"

namespace varnel::win {

class WindowHandle {
 public:
  WindowHandle() = default;
  explicit WindowHandle(HWND window) : window_(window) {}
  WindowHandle(WindowHandle&& other) noexcept : window_(std::exchange(other.window_, nullptr)) {}
  WindowHandle& operator=(WindowHandle&& other) noexcept {
    if (this != &other) {
      reset();
      window_ = std::exchange(other.window_, nullptr);
    }
    return *this;
  }
  WindowHandle(const WindowHandle&) = delete;
  WindowHandle& operator=(const WindowHandle&) = delete;
  ~WindowHandle() { reset(); }

  HWND get() const noexcept { return window_; }
  // The window was destroyed by others (the user closed it): forget it.
  void forget() noexcept { window_ = nullptr; }
  void reset() noexcept {
    if (window_ && IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
  }

 private:
  HWND window_ = nullptr;
};

using GdiObject = UniqueHandle<HGDIOBJ, &DeleteObject>;
using IconHandle = UniqueHandle<HICON, &DestroyIcon>;

// A window's device context with one object selected into it; both are put
// back when it goes.
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

// The width of text in the given font, in pixels.
int textWidth(HWND window, HGDIOBJ font, const std::wstring& text);
// The height of a line of font, in pixels.
int fontHeight(HWND window, HGDIOBJ font);

// The icon resource's id in res/varnel.rc.
inline constexpr int kProgramIconId = 1;

// Registers a window class of this program once: its procedure, arrow
// cursor, dialog-coloured background, the program's icon.
void registerWindowClass(const wchar_t* name, WNDPROC procedure = DefWindowProcW);

// The object of type T that a window belongs to: given to CreateWindowEx as
// its last argument, bound at WM_NCCREATE, so that every message after it,
// WM_CREATE included, reaches the object. Null before that, and after unbind.
template <class T>
T* windowObject(HWND window, UINT message, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* object = static_cast<T*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(object));
    return object;
  }
  return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// A window procedure's body: the message goes to handler on the window's
// object (DefWindowProc before there is one). Exceptions never cross a
// window procedure.
template <class T>
LRESULT routeMessage(LRESULT (T::*handler)(HWND, UINT, WPARAM, LPARAM), HWND window, UINT message,
                     WPARAM wParam, LPARAM lParam) {
  auto* self = windowObject<T>(window, message, lParam);
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  try {
    return (self->*handler)(window, message, wParam, lParam);
  } catch (...) {
    return 0;
  }
}

// The window no longer reaches its object (which is going away).
inline void unbindWindowObject(HWND window) {
  if (window) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

}  // namespace varnel::win
