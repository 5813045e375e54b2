#pragma once
// A child window that only paints: the window's colour, then what its
// painter draws over it.
#include <functional>

#include "win32/base/window.h"

namespace varnel::win {

class PaintedChild final : public Window {
 public:
  using Painter = std::function<void(HDC dc, const RECT& area)>;
  PaintedChild(const CreateArgs& args, Painter paint);

 private:
  LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
  void paintInto(HWND window, HDC dc);

  Painter paint_;
};

}  // namespace varnel::win
