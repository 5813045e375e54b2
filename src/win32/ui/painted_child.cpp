#include "win32/ui/painted_child.h"

namespace varnel::win {

PaintedChild::PaintedChild(const CreateArgs& args, Painter paint) : paint_(std::move(paint)) {
  create(args);
}

LRESULT PaintedChild::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT area;
  GetClientRect(window, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  try {
    paint_(dc, area);
  } catch (...) {
    // Whatever was drawn stays; the paint still ends.
  }
  EndPaint(window, &paint);
  return 0;
}

}  // namespace varnel::win
