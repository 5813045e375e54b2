#pragma once
// A window of this program and the object it belongs to: the class is
// registered the first time, the window is bound to its object from
// WM_NCCREATE to WM_NCDESTROY, and every message in between reaches the
// object's onMessage. Nothing thrown leaves the window procedure.
#include <windows.h>

#include "win32/base/window_handle.h"

namespace varnel::win {

// What a window is made with. A top-level window lies at screen coordinates
// and is owned by parent; a child (WS_CHILD) lies in its parent's client
// area and carries id.
struct CreateArgs {
  const wchar_t* className = nullptr;
  const wchar_t* title = L"";
  DWORD style = 0;
  DWORD extendedStyle = 0;
  RECT at{};
  HWND parent = nullptr;
  int id = 0;
  HMENU menu = nullptr;  // a top-level window's menu bar, in place of an id
};

class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  // Null before the window is made and once it is destroyed, by this object
  // or by others (the user closed it).
  HWND handle() const noexcept { return window_.get(); }
  // Destroys the window as the user closing it would: its object hears of it.
  void destroy() noexcept;

 protected:
  Window() = default;
  // The window is unbound before it is destroyed: no message reaches an
  // object half taken apart.
  virtual ~Window() { destroyUnheard(); }
  // For a destructor whose members (a font) must outlive the window.
  void destroyUnheard() noexcept;
  // Any window made before is destroyed first.
  void create(const CreateArgs& args);
  virtual LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  WindowHandle window_;
};

}  // namespace varnel::win
