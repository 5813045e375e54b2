#pragma once
// The move-only owner of a window: destroyed with its owner, unless
// Windows destroyed it first.
#include <windows.h>

#include <utility>

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

}  // namespace varnel::win
