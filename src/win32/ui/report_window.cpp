#include "win32/ui/report_window.h"

#include <algorithm>

#include "win32/base/text.h"
#include "win32/base/text_metrics.h"
#include "win32/base/window_text.h"
#include "win32/ui/work_areas.h"

namespace varnel::win {

namespace {

constexpr wchar_t kClassName[] = L"VarnelReport";
constexpr int kEditId = 100;
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX;
// The widest line the report always holds: its rule.
constexpr wchar_t kRule[] = L"-----------------------------------";
constexpr wchar_t kTitle[] = L"Designators left alone";

}  // namespace

std::string ReportWindow::text() {
  if (!isOpen()) return {};
  return windowText(edit_);
}

SIZE ReportWindow::editSize() const {
  // The rule must not wrap: wide enough for it, its margins and the scroll bar.
  const int ruleWidth = textWidth(neighbour_, fontOrDefault(font_), kRule) +
                        2 * systemMetricAt(SM_CXEDGE, dpi_) + systemMetricAt(SM_CXVSCROLL, dpi_) +
                        MulDiv(8, dpi_, kDefaultDpi);
  // The title bar holds the whole title beside the icon and the buttons.
  const int frame = systemMetricAt(SM_CXFRAME, dpi_) + systemMetricAt(SM_CXPADDEDBORDER, dpi_);
  const int titleWidth = textWidth(neighbour_, fontOrDefault(font_), kTitle) +
                         systemMetricAt(SM_CXSMICON, dpi_) + 3 * systemMetricAt(SM_CXSIZE, dpi_) +
                         MulDiv(24, dpi_, kDefaultDpi) - 2 * frame - twipsAt(60, dpi_);
  return {std::max({twipsAt(2175, dpi_), ruleWidth, titleWidth}), twipsAt(2220, dpi_)};
}

POINT ReportWindow::placeFor(SIZE frame) const {
  RECT beside{0, 0, 0, 0};
  if (neighbour_) GetWindowRect(neighbour_, &beside);
  const app::ScreenRect work = workAreaOf(neighbour_);
  // To the right of the main window; to its left when the screen ends
  // there; and always wholly inside the work area.
  LONG x = beside.right + 8;
  if (x + frame.cx > work.right) x = beside.left - 8 - frame.cx;
  const app::ScreenRect at =
      app::movedInside({static_cast<int>(x), static_cast<int>(beside.top),
                        static_cast<int>(x + frame.cx), static_cast<int>(beside.top + frame.cy)},
                       work);
  return {at.left, at.top};
}

// The client area keeps its 45-twip left and 15-twip right margins when
// the box grows.
SIZE ReportWindow::frameSize(SIZE edit) const {
  const RECT frame = frameAround(twipsAt(45, dpi_) + edit.cx + twipsAt(15, dpi_),
                                 twipsAt(2295, dpi_), kStyle, 0, dpi_);
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void ReportWindow::create() {
  // At the main window's DPI.
  dpi_ = dpiOf(neighbour_);
  font_ = messageFontAt(dpi_);
  const SIZE outer = frameSize(editSize());
  const POINT at = placeFor(outer);
  // Not owned: it stays when the main window is minimised, and is no dialog.
  edit_ = nullptr;
  Window::create(
      {kClassName, kTitle, kStyle, 0, RECT{at.x, at.y, at.x + outer.cx, at.y + outer.cy}});
  // No wrapping: one designator a line, and the rule stays one line.
  edit_ =
      CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                      WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                          ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                      0, 0, 0, 0, handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEditId)),
                      GetModuleHandleW(nullptr), nullptr);
  applyDpi(dpi_);
}

void ReportWindow::applyDpi(UINT dpi) {
  dpi_ = dpi;
  GdiObject font = messageFontAt(dpi);
  SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(fontOrDefault(font)), TRUE);
  font_ = std::move(font);  // the old font only now, when nothing uses it
  const SIZE edit = editSize();
  MoveWindow(edit_, twipsAt(45, dpi), twipsAt(45, dpi), edit.cx, edit.cy, TRUE);
  const SIZE outer = frameSize(edit);
  SetWindowPos(handle(), nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ReportWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_DPICHANGED || !edit_) return DefWindowProcW(window, message, wParam, lParam);
  // Moved to a monitor of another DPI: laid out there, where Windows suggests.
  const RECT suggested = *reinterpret_cast<const RECT*>(lParam);
  applyDpi(LOWORD(wParam));
  SetWindowPos(window, nullptr, suggested.left, suggested.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return 0;
}

void ReportWindow::show(const std::string& text) {
  if (!isOpen()) create();
  SetWindowTextW(edit_, widen(text).c_str());
  // Every run that adds to it brings it to the front, below the main window
  // that stays on top, without taking the keyboard from it.
  SetWindowPos(handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(handle(), SW_SHOWNOACTIVATE);
  UpdateWindow(handle());
}

}  // namespace varnel::win
