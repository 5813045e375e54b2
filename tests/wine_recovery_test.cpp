// The box that closes a cut-off run, under Wine: it must be answered, its
// access keys and Enter choose, everything fits, and at start-up the window
// asks it before anything else.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "fakes.h"
#include "standin/win32/desktop_automation.h"
#include "win32/base/dpi.h"
#include "win32/ui/recovery_box.h"
#include "wine_at_dpi.h"
#include "wine_window.h"

namespace varnel {
namespace {

using tests::words;

// What the box showed, read on the answering thread before it was answered.
struct BoxSeen {
  std::vector<std::string> buttons;
  std::vector<bool> enabled;
  bool fits = true;
  LONG font = 0;  // the text's
};

LONG heightOf(HGDIOBJ font) {
  LOGFONTW description{};
  GetObjectW(font, sizeof description, &description);
  return description.lfHeight;
}

BoxSeen readBox(HWND box) {
  BoxSeen seen;
  RECT client;
  GetClientRect(box, &client);
  std::vector<RECT> placed;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const RECT r = tests::rectIn(box, c);
    seen.fits &= r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom;
    for (const RECT& q : placed)
      seen.fits &= !(r.left < q.right && q.left < r.right && r.top < q.bottom && q.top < r.bottom);
    placed.push_back(r);
    if (GetDlgCtrlID(c) == 0xFFFF) {
      seen.font = heightOf(reinterpret_cast<HGDIOBJ>(SendMessageW(c, WM_GETFONT, 0, 0)));
      continue;
    }
    seen.buttons.push_back(win::windowText(c));
    seen.enabled.push_back(IsWindowEnabled(c));
  }
  return seen;
}

app::RecoveryQuestion question(bool canFinish) {
  app::RecoveryQuestion asked;
  asked.text =
      "Varnel was ended in the middle of a run on board.sch, started 2026-12-07T16:05:09Z "
      "(--all --start 1 --eco force-read).\n\n12 of its 157 planned renames were made; the "
      "layout has not followed them.";
  asked.canFinish = canFinish;
  return asked;
}

TEST(RecoveryBox, MustBeAnsweredAndItsAccessKeysAndEnterChoose) {
  tests::LocalWindow w("R1");
  BoxSeen seen;
  {
    // Gone before the next box opens: an answerer still watching would
    // answer that box too, and read it while it closes.
    win::DialogAnswerer altT("", {}, [&](HWND box) {
      seen = readBox(box);
      PostMessageW(box, WM_COMMAND, IDCANCEL, 0);  // Escape: nothing
      PostMessageW(box, WM_SYSCHAR, 't', 1 << 29);
    });
    EXPECT_EQ(win::askRecovery(w.window.handle(), question(true)), app::Recovery::takeBack);
    ASSERT_EQ(altT.seen().size(), 1u);
    EXPECT_EQ(altT.seen()[0].title, "Varnel: a run was cut off");
    EXPECT_EQ(altT.seen()[0].owner, w.window.handle());
  }
  EXPECT_EQ(seen.buttons,
            (std::vector<std::string>{"&Finish the run", "&Take it back", "&Leave it as it is"}));
  EXPECT_EQ(seen.enabled, (std::vector<bool>{true, true, true}));
  EXPECT_TRUE(seen.fits);
  win::DialogAnswerer enter("", {}, [&](HWND box) {
    seen = readBox(box);
    PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
  });
  EXPECT_EQ(win::askRecovery(w.window.handle(), question(false)), app::Recovery::takeBack)
      << "Finish disabled: the next choice is the default";
  EXPECT_EQ(seen.enabled, (std::vector<bool>{false, true, true}));
}

// Run in a child process by the test below, after the DPI is set.
TEST(RecoveryBox, DISABLED_FitsAtTheDpiItWasStartedAt) {
  const UINT dpi = static_cast<UINT>(std::atoi(std::getenv("VARNEL_EXPECTED_DPI")));
  ASSERT_EQ(win::systemDpi(), dpi);
  tests::LocalWindow w("R1");
  BoxSeen seen;
  win::DialogAnswerer altL("", {}, [&](HWND box) {
    seen = readBox(box);
    PostMessageW(box, WM_SYSCHAR, 'l', 1 << 29);
  });
  EXPECT_EQ(win::askRecovery(w.window.handle(), question(true)), app::Recovery::leave);
  EXPECT_TRUE(seen.fits);
  EXPECT_EQ(seen.font, heightOf(win::messageFontAt(dpi).get()));
}

TEST(RecoveryBox, FitsAtOneHundredAndFortyFourDpi) {
  const auto child = tests::runAtDpi(144, L"RecoveryBox.DISABLED_FitsAtTheDpiItWasStartedAt");
  EXPECT_EQ(child.exitCode, 0) << child.out;
  EXPECT_NE(child.out.find("[  PASSED  ] 1 test"), std::string::npos) << child.out;
}

// The program over the in-memory host with journals in memory, one of them
// the journal of a run cut off after its first rename.
struct CutOffWindow {
  std::shared_ptr<standin::MemoryHost> host;
  tests::FakeAttacher attacher;
  win::ComPcbConnector pcb;
  tests::FakeJournals journals;
  std::optional<win::Program> program;

  explicit CutOffWindow(const std::string& cut) {
    standin::DesignData left = tests::design("R9 R6");
    host = std::make_shared<standin::MemoryHost>(left);
    attacher.app = host;
    journals.keep = true;
    journals.texts["/journals/test.sch 1.journal"] = cut;
    program.emplace(attacher, pcb, journals, journals);
  }
};

TEST(RecoveryBox, AtStartUpTheWindowAsksFirstAndTakesTheRunBack) {
  const std::string cut =
      "varnel-journal 2\ndesign test.sch\nstarted 2026-12-07T16:05:09Z\nsettings --all --start "
      "1\neco none\nplanned 4\nplan 1 R5 R9\nplan 2 R6 R10\nplan 1 R9 R1\nplan 2 R10 R2\n";
  CutOffWindow w(cut);
  win::DialogAnswerer answerer("", {},
                               [](HWND box) { PostMessageW(box, WM_SYSCHAR, 't', 1 << 29); });
  w.program->open(SW_SHOWNOACTIVATE, false);
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_NE(answerer.seen()[0].text.find("1 of its 4 planned renames were made"), std::string::npos)
      << answerer.seen()[0].text;
  EXPECT_EQ(answerer.seen()[0].owner, w.program->window().handle());
  EXPECT_EQ(tests::designators(w.host->design()), words("R5 R6"));
  EXPECT_NE(w.journals.texts.at("/journals/test.sch 1.journal").find("recovered take-back\n"),
            std::string::npos);
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// A refusal that lists hundreds of differences (an undo of a design changed
// since) scrolls in a box that fits the screen, with Copy and Close; a short
// message stays a message box.
TEST(LongMessage, ScrollsInABoxThatFitsTheScreenWithCopyAndClose) {
  tests::LocalWindow w("R1");
  std::string differences = "error 1005: The design changed since the run:\n";
  for (int k = 1; k <= 300; ++k)
    differences += "position " + std::to_string(k) + " is R" + std::to_string(k) + "\n";
  struct Box {
    RECT rect{};
    bool scrolls = false, copies = false;
    std::string text;
  };
  std::vector<Box> boxes;
  win::DialogAnswerer answerer("", {}, [&](HWND box) {
    Box seen;
    GetWindowRect(box, &seen.rect);
    HWND field = GetDlgItem(box, 0xFFFF);
    seen.scrolls = field && (GetWindowLongW(field, GWL_STYLE) & WS_VSCROLL);
    seen.copies = GetDlgItem(box, 100) != nullptr;
    boxes.push_back(seen);
  });
  w.window.showMessage(differences, "", app::MessageIcon::critical);
  w.window.showMessage("A short one.", "", app::MessageIcon::information);
  ASSERT_EQ(boxes.size(), 2u);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(w.window.handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& area = monitor.rcWork;
  EXPECT_TRUE(boxes[0].scrolls && boxes[0].copies);
  EXPECT_GE(boxes[0].rect.top, area.top);
  EXPECT_LE(boxes[0].rect.bottom, area.bottom);
  EXPECT_LE(boxes[0].rect.bottom - boxes[0].rect.top, 600) << "about 18 lines of text";
  EXPECT_EQ(answerer.seen()[0].text, differences) << "the whole text, in its field";
  EXPECT_FALSE(boxes[1].copies) << "a message box";
}

}  // namespace
}  // namespace varnel
