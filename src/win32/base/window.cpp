#include "win32/base/window.h"

#include "win32/base/window_class.h"

namespace varnel::win {

void Window::destroy() noexcept {
  // WM_NCDESTROY forgets it (see procedure).
  if (HWND window = window_.get()) DestroyWindow(window);
  window_.forget();
}

void Window::destroyUnheard() noexcept {
  if (window_.get()) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
  window_.reset();
}

void Window::create(const CreateArgs& args) {
  destroy();
  registerWindowClass(args.className, &procedure);
  const RECT& r = args.at;
  // The window is ours from WM_NCCREATE on (see procedure), so that every
  // message after it, WM_CREATE included, reaches this object.
  CreateWindowExW(args.extendedStyle, args.className, args.title, args.style, r.left, r.top,
                  r.right - r.left, r.bottom - r.top, args.parent,
                  args.menu ? args.menu : reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
                  GetModuleHandleW(nullptr), this);
}

LRESULT Window::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK Window::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* made = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(made));
    made->window_ = WindowHandle(window);
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (!self) return DefWindowProcW(window, message, wParam, lParam);
  LRESULT result = 0;
  try {
    result = self->onMessage(window, message, wParam, lParam);
  } catch (...) {
    result = 0;
  }
  if (message == WM_NCDESTROY) {
    // Destroyed, by this object or by others: nothing of it is left to own.
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_.forget();
  }
  return result;
}

}  // namespace varnel::win
