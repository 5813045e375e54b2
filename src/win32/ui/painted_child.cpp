#include "win32/ui/painted_child.h"

namespace varnel::win {

PaintedChild::PaintedChild(const CreateArgs& args, Painter paint) : paint_(std::move(paint)) {
  create(args);
}

// WM_PRINTCLIENT draws into the caller's device context what WM_PAINT draws
// on the screen, for PrintWindow and for pictures of the window.
LRESULT PaintedChild::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PRINTCLIENT) {
    paintInto(window, reinterpret_cast<HDC>(wParam));
    return 0;
  }
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  paintInto(window, dc);
  EndPaint(window, &paint);
  return 0;
}

void PaintedChild::paintInto(HWND window, HDC dc) {
  RECT area;
  GetClientRect(window, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_WINDOW));
  try {
    paint_(dc, area);
  } catch (...) {
    // Whatever was drawn stays; the paint still ends.
  }
}

}  // namespace varnel::win
