// The main window at its monitor's DPI (96 and 144 here), on a move to a
// monitor of another DPI, and where it opens on the desktop.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "standin/win32/desktop_automation.h"
#include "win32/ui/about_box.h"
#include "win32/ui/window_position_store.h"
#include "win32/ui/work_areas.h"
#include "wine_at_dpi.h"
#include "wine_window.h"

namespace varnel {
namespace {

using app::Control;
using tests::LocalWindow;
using tests::rectIn;

LONG fontHeight(HGDIOBJ font) {
  LOGFONTW description{};
  GetObjectW(font, sizeof description, &description);
  return description.lfHeight;
}

// Every control where its twips put it at dpi, or a few pixels off where the
// font needs room (the layout test checks that it has it), in the message
// font at dpi. "Start from:" may grow leftwards, option buttons and the check
// box rightwards (and a little leftwards in a wider font).
void expectLaidOutAt(const win::MainWindow& window, UINT dpi) {
  EXPECT_EQ(window.dpi(), dpi);
  RECT client;
  GetClientRect(window.handle(), &client);
  EXPECT_EQ(client.right, win::twipsAt(app::kClientWidthTwips, dpi));
  // Below the layout, the status bar: along the whole bottom, in the message font.
  const RECT bar = rectIn(window.handle(), window.statusBar());
  EXPECT_EQ(bar.top, win::twipsAt(app::kClientHeightTwips, dpi));
  EXPECT_EQ(bar.bottom, client.bottom);
  EXPECT_EQ(bar.left, 0);
  EXPECT_EQ(bar.right, client.right);
  EXPECT_GT(bar.bottom - bar.top, 0);
  EXPECT_EQ(SendMessageW(window.statusBar(), WM_GETFONT, 0, 0),
            SendMessageW(window.control(Control::run), WM_GETFONT, 0, 0));
  const LONG messageFont = fontHeight(win::messageFontAt(dpi).get());
  const int slack = MulDiv(6, dpi, 96);
  for (const app::ControlLayout& layout : app::kMainWindowLayout) {
    SCOPED_TRACE(layout.caption[0] ? layout.caption : "control " + std::to_string(int(layout.id)));
    const app::TwipsRect twips = app::windowRect(layout.id);
    const RECT r = rectIn(window.handle(), window.control(layout.id));
    const int left = win::twipsAt(twips.left, dpi),
              right = win::twipsAt(twips.left + twips.width, dpi);
    EXPECT_NEAR(r.top, win::twipsAt(twips.top, dpi), slack);
    EXPECT_NEAR(r.bottom - r.top, win::twipsAt(twips.height, dpi), slack);
    if (layout.id == Control::startLabel) {
      EXPECT_EQ(r.right, right);
      EXPECT_LE(r.left, left);
    } else if (layout.kind == app::ControlKind::option || layout.kind == app::ControlKind::check) {
      // A caption still short of room moves a little towards its frame's line.
      EXPECT_LE(r.left, left);
      EXPECT_GE(r.left, left - slack);
      EXPECT_GE(r.right - r.left, win::twipsAt(twips.width, dpi));
    } else {
      EXPECT_EQ(r.left, left);
      EXPECT_NEAR(r.right, right, 1);
    }
    const auto font =
        reinterpret_cast<HGDIOBJ>(SendMessageW(window.control(layout.id), WM_GETFONT, 0, 0));
    EXPECT_EQ(fontHeight(font), messageFont);
  }
  // Its icon, at the sizes of the DPI.
  ICONINFO info{};
  const auto icon =
      reinterpret_cast<HICON>(SendMessageW(window.handle(), WM_GETICON, ICON_SMALL, 0));
  ASSERT_TRUE(icon && GetIconInfo(icon, &info));
  BITMAP colour{};
  GetObjectW(info.hbmColor, sizeof colour, &colour);
  EXPECT_EQ(colour.bmWidth, win::systemMetricAt(SM_CXSMICON, dpi));
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
}

TEST(Dpi, TheWindowIsLaidOutFromItsTwipsAtItsMonitorsDpi) {
  LocalWindow w("R1");
  expectLaidOutAt(w.window, win::systemDpi());
}

TEST(Dpi, MovedToAMonitorOfAnotherDpiItIsLaidOutAgainThere) {
  LocalWindow w("R1 R2");
  RECT suggested{300, 200, 300 + 600, 200 + 300};
  SendMessageW(w.window.handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
               reinterpret_cast<LPARAM>(&suggested));
  expectLaidOutAt(w.window, 144);
  RECT at;
  GetWindowRect(w.window.handle(), &at);
  EXPECT_EQ(at.left, 300);
  EXPECT_EQ(at.top, 200);
  SendMessageW(w.window.handle(), WM_DPICHANGED, MAKEWPARAM(96, 96),
               reinterpret_cast<LPARAM>(&suggested));
  expectLaidOutAt(w.window, 96);
}

// A column's title, then the text of each of its cells.
std::vector<std::wstring> columnTexts(HWND list, int column) {
  wchar_t text[128] = L"";
  HDITEMW title{};
  title.mask = HDI_TEXT;
  title.pszText = text;
  title.cchTextMax = 128;
  SendMessageW(reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), HDM_GETITEMW,
               column, reinterpret_cast<LPARAM>(&title));
  std::vector<std::wstring> texts{text};
  const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
  for (int row = 0; row < rows; ++row) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 128;
    SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    texts.push_back(text);
  }
  return texts;
}

// Every title and text of the Preview's list whole in its column; the columns fill the list.
void expectColumnsFit(HWND list) {
  ASSERT_TRUE(list);
  ASSERT_GT(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0), 0);
  int total = 0;
  for (int column = 0; column < 4; ++column) {
    const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
    total += width;
    for (const std::wstring& text : columnTexts(list, column)) {
      const int needed = static_cast<int>(
          SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str())));
      EXPECT_GE(width, needed + 12) << win::narrow(text);
    }
  }
  RECT client;
  GetClientRect(list, &client);
  EXPECT_GE(total, client.right);
}

TEST(Dpi, ThePreviewAndTheReportAreLaidOutAgainOnAMonitorOfAnotherDpi) {
  LocalWindow w("R1 R2 TP");
  tests::click(w[Control::allComponents]);
  w.program.presenter().onPreview();
  tests::click(w[Control::run]);
  ASSERT_TRUE(w.program.report().isOpen()) << "TP is left alone";
  for (UINT dpi : {144u, 96u}) {
    SCOPED_TRACE(dpi);
    RECT suggested{40, 30, 40 + 900, 30 + 500};
    const LONG font = fontHeight(win::messageFontAt(dpi).get());
    HWND preview = w.program.preview().handle();
    SendMessageW(preview, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    HWND close = GetDlgItem(preview, IDCANCEL);
    RECT button;
    GetWindowRect(close, &button);
    EXPECT_EQ(button.bottom - button.top, MulDiv(26, dpi, 96));
    EXPECT_EQ(fontHeight(reinterpret_cast<HGDIOBJ>(SendMessageW(close, WM_GETFONT, 0, 0))), font);
    expectColumnsFit(FindWindowExW(preview, nullptr, WC_LISTVIEWW, nullptr));
    RECT at;
    GetWindowRect(preview, &at);
    EXPECT_EQ(at.left, 40);
    EXPECT_EQ(at.right - at.left, 900);

    HWND report = w.program.report().handle();
    SendMessageW(report, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    HWND edit = GetWindow(report, GW_CHILD);
    EXPECT_EQ(fontHeight(reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0))), font);
    RECT box;
    GetWindowRect(edit, &box);
    EXPECT_EQ(box.bottom - box.top, win::twipsAt(2220, dpi));
    EXPECT_NE(w.program.report().text().find("TP"), std::string::npos) << "its text kept";
  }
}

// The height text takes, wrapped at the control's width in its font.
int wrappedHeight(HWND control) {
  RECT r;
  GetClientRect(control, &r);
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  const std::wstring text = win::widen(tests::titleOf(control));
  DrawTextW(dc, text.c_str(), -1, &r, DT_CALCRECT | DT_WORDBREAK);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return r.bottom - r.top;
}

TEST(Dpi, ThePreviewSaysBelowItsSummaryThatRenameNeedsPowerPcb) {
  LocalWindow w("R2 R1");  // and no PowerPCB running
  tests::click(w[Control::allComponents]);
  tests::click(w[Control::writeEco]);
  w.program.presenter().onPreview();
  HWND preview = w.program.preview().handle(), note = w.program.preview().note();
  ASSERT_TRUE(preview && IsWindowVisible(note));
  EXPECT_EQ(tests::titleOf(note).rfind("Rename needs PowerPCB running with the layout open", 0),
            0u);
  for (UINT dpi : {144u, 96u}) {
    SCOPED_TRACE(dpi);
    RECT suggested{40, 30, 40 + 700, 30 + 400};
    SendMessageW(preview, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    const RECT list = rectIn(preview, w.program.preview().list()),
               summary = rectIn(preview, w.program.preview().summary()),
               text = rectIn(preview, note), close = rectIn(preview, GetDlgItem(preview, IDCANCEL));
    EXPECT_LE(list.bottom, summary.top);
    EXPECT_LE(summary.bottom, text.top);
    EXPECT_LE(text.bottom, close.top);
    EXPECT_LE(wrappedHeight(note), text.bottom - text.top) << tests::titleOf(note);
  }
}

// What the About box showed while it was open, read from the answering thread.
struct AboutSeen {
  std::string field, clipboard;
  bool readOnly = false, multiLine = true;
  RECT client{};
  std::vector<RECT> controls;
  int textNeeds = 0, textHas = 0;
  LONG font = 0;
};

AboutSeen readAboutBox(HWND box) {
  AboutSeen seen;
  GetClientRect(box, &seen.client);
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
    seen.controls.push_back(rectIn(box, c));
  HWND field = FindWindowExW(box, nullptr, L"Edit", nullptr);
  std::wstring text(GetWindowTextLengthW(field) + 1, L'\0');
  text.resize(GetWindowTextW(field, text.data(), static_cast<int>(text.size())));
  seen.field = win::narrow(text);
  const LONG style = GetWindowLongW(field, GWL_STYLE);
  seen.readOnly = style & ES_READONLY;
  seen.multiLine = style & ES_MULTILINE;
  seen.font = fontHeight(reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)));
  HWND words = GetDlgItem(box, 0xFFFF);
  seen.textNeeds = wrappedHeight(words);
  seen.textHas = rectIn(box, words).bottom - rectIn(box, words).top;
  SendMessageW(FindWindowExW(box, nullptr, L"Button", L"&Copy"), BM_CLICK, 0, 0);
  if (OpenClipboard(nullptr)) {
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      seen.clipboard = win::narrow(static_cast<const wchar_t*>(GlobalLock(data)));
      GlobalUnlock(data);
    }
    CloseClipboard();
  }
  return seen;
}

// The journal folder whole on one line in a read-only field, Copy copying
// it; every control inside the box and apart, in the message font at dpi.
void expectAboutBoxFits(HWND owner, UINT dpi) {
  const std::string folder =
      "C:\\Users\\a.designer\\AppData\\Local\\Varnel\\Journal\\" + std::string(150, 'x');
  AboutSeen seen;
  win::DialogAnswerer answerer("", {}, [&](HWND box) { seen = readAboutBox(box); });
  win::showAboutBox(owner, {"Varnel 9.9\nRenumbers the reference designators of the design open "
                            "in PowerLogic.\n\nDesign: board.sch",
                            folder});
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].title, "About Varnel");
  EXPECT_EQ(answerer.seen()[0].text.rfind("Varnel 9.9\n", 0), 0u);
  EXPECT_EQ(seen.field, folder);
  EXPECT_EQ(seen.clipboard, folder);
  EXPECT_TRUE(seen.readOnly);
  EXPECT_FALSE(seen.multiLine);
  EXPECT_EQ(seen.font, fontHeight(win::messageFontAt(dpi).get()));
  EXPECT_LE(seen.textNeeds, seen.textHas);
  ASSERT_EQ(seen.controls.size(), 5u);
  for (std::size_t i = 0; i < seen.controls.size(); ++i) {
    const RECT& r = seen.controls[i];
    EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= seen.client.right &&
                r.bottom <= seen.client.bottom)
        << "control " << i;
    for (std::size_t j = 0; j < i; ++j) {
      const RECT& q = seen.controls[j];
      EXPECT_FALSE(r.left < q.right && q.left < r.right && r.top < q.bottom && q.top < r.bottom)
          << "controls " << j << " and " << i;
    }
  }
}

TEST(Dpi, TheAboutBoxShowsTheJournalFolderWholeOnOneLine) {
  LocalWindow w("R1");
  expectAboutBoxFits(w.window.handle(), w.window.dpi());
}

// Run in a child process by the test below, after the DPI is set.
TEST(Dpi, DISABLED_OpensAtTheDpiItWasStartedAt) {
  const char* expected = std::getenv("VARNEL_EXPECTED_DPI");
  ASSERT_TRUE(expected);
  LocalWindow w("R1 R2 TP");
  const UINT dpi = win::systemDpi();
  ASSERT_EQ(dpi, static_cast<UINT>(std::atoi(expected)));
  expectLaidOutAt(w.window, dpi);
  // The Preview window and the report open at the main window's DPI too.
  tests::click(w[Control::allComponents]);
  w.program.presenter().onPreview();
  HWND close = GetDlgItem(w.program.preview().handle(), IDCANCEL);
  RECT button;
  GetWindowRect(close, &button);
  EXPECT_EQ(button.bottom - button.top, MulDiv(26, dpi, 96));
  const auto messageFont = fontHeight(win::messageFontAt(dpi).get());
  EXPECT_EQ(fontHeight(reinterpret_cast<HGDIOBJ>(SendMessageW(close, WM_GETFONT, 0, 0))),
            messageFont);
  w.program.preview().closePreview();
  tests::click(w[Control::run]);
  ASSERT_TRUE(w.program.report().isOpen()) << "TP is left alone";
  HWND edit = GetWindow(w.program.report().handle(), GW_CHILD);
  EXPECT_EQ(fontHeight(reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0))),
            messageFont);
  RECT box;
  GetWindowRect(edit, &box);
  EXPECT_GE(box.bottom - box.top, win::twipsAt(2220, dpi) - 1);
  expectAboutBoxFits(w.window.handle(), dpi);
}

TEST(Dpi, AtOneHundredAndFortyFourDpiTheWindowOpensLaidOutAtIt) {
  const auto child = tests::runAtDpi(144, L"Dpi.DISABLED_OpensAtTheDpiItWasStartedAt");
  EXPECT_EQ(child.exitCode, 0) << child.out;
  EXPECT_NE(child.out.find("[  PASSED  ] 1 test"), std::string::npos) << child.out;
}

class Position : public testing::Test {
 protected:
  void SetUp() override { store.forget(); }
  void TearDown() override { store.forget(); }
  static RECT placeOf(const LocalWindow& w) {
    RECT r;
    GetWindowRect(w.window.handle(), &r);
    return r;
  }
  static bool whollyOn(const RECT& r, const app::ScreenRect& area) {
    return r.left >= area.left && r.top >= area.top && r.right <= area.right &&
           r.bottom <= area.bottom;
  }
  win::WindowPositionStore store;
  app::ScreenRect primary = win::monitorWorkAreas().at(0);
};

TEST_F(Position, TheFirstTimeItOpensAtTheTopRightOfThePrimaryMonitorBelowItsMenus) {
  LocalWindow w("R1");
  const RECT r = placeOf(w);
  EXPECT_TRUE(whollyOn(r, primary));
  EXPECT_LT(primary.right - r.right, (r.right - r.left) / 4) << "near the right edge";
  EXPECT_GE(r.top, primary.top + GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYMENU))
      << "below a maximised program's title bar and menu";
  EXPECT_LT(r.top, primary.top + (primary.bottom - primary.top) / 4);
}

TEST_F(Position, ItOpensWhereItWasLastClosed) {
  {
    LocalWindow w("R1");
    SetWindowPos(w.window.handle(), nullptr, 120, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    tests::click(w[Control::end]);
  }
  LocalWindow again("R1");
  EXPECT_EQ(placeOf(again).left, 120);
  EXPECT_EQ(placeOf(again).top, 150);
}

TEST_F(Position, APlaceOffTheMonitorsThereAreNowIsBroughtWhollyOntoOne) {
  store.save({primary.right - 40, primary.top + 100});  // mostly off the right edge
  {
    LocalWindow w("R1");
    const RECT r = placeOf(w);
    EXPECT_TRUE(whollyOn(r, primary));
    EXPECT_EQ(r.right, primary.right);
    EXPECT_EQ(r.top, primary.top + 100);
  }
  store.save({primary.right + 5000, primary.bottom + 5000});  // a monitor since unplugged
  LocalWindow w("R1");
  EXPECT_TRUE(whollyOn(placeOf(w), primary));
}

}  // namespace
}  // namespace varnel
