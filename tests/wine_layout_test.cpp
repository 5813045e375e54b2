// The main window's layout as a user sees it, at 96, 120, 144 and 192 dpi:
// every control inside the client area and inside the frame that holds it,
// no two controls on top of each other, no frame drawn across a control,
// every caption wide and tall enough for its text in the window's font.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "layout_check.h"
#include "wine_window.h"

namespace varnel {
namespace {

using tests::LocalWindow;

using tests::PlacedControl;

PlacedControl measure(HWND window, HWND control, const app::ControlLayout& layout) {
  PlacedControl placed{layout, {}, IsWindowVisible(control) != FALSE, 0, 0};
  RECT r;
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  placed.rect = {r.left, r.top, r.right, r.bottom};
  std::wstring text = win::widen(layout.caption);
  std::erase(text, L'&');
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  SIZE extent{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  placed.textWidth = extent.cx;
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  placed.lineHeight = metrics.tmHeight;
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return placed;
}

TEST(Layout, EveryControlFitsAtEveryDpi) {
  LocalWindow w("R1");
  for (UINT dpi : {96u, 120u, 144u, 192u}) {
    SCOPED_TRACE(dpi);
    RECT suggested{0, 0, 1000, 600};
    SendMessageW(w.window.handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    ASSERT_EQ(w.window.dpi(), dpi);
    RECT client;
    GetClientRect(w.window.handle(), &client);
    RECT bar;
    GetWindowRect(w.window.statusBar(), &bar);
    MapWindowPoints(nullptr, w.window.handle(), reinterpret_cast<POINT*>(&bar), 2);
    std::vector<PlacedControl> all;
    for (const app::ControlLayout& layout : app::kMainWindowLayout)
      all.push_back(measure(w.window.handle(), w[layout.id], layout));
    const app::PixelRect room{0, 0, client.right, bar.top};  // above the status bar
    for (const std::string& problem : tests::layoutProblems(all, room, static_cast<int>(dpi)))
      ADD_FAILURE() << problem;
  }
}

}  // namespace
}  // namespace varnel
