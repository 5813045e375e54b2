// The window under Wine as a keyboard user and the eye meet it: Tab, the
// arrows, Enter, Esc and access keys; colours, the label, the report window.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/journal_folder.h"
#include "app/recovery_question.h"
#include "standin/win32/desktop_automation.h"
#include "temp_dir.h"
#include "win32/base/text.h"
#include "win32/base/text_metrics.h"
#include "win32/base/window_text.h"
#include "wine_window.h"

namespace varnel {
namespace {

using app::Control;
using tests::click;
using tests::isChecked;
using tests::isEnabled;
using tests::LocalWindow;
using tests::words;

// The controls Tab visits from the first one, once round.
std::vector<Control> tabRound(LocalWindow& w, Control first) {
  SetFocus(w[first]);
  std::vector<Control> seen{first};
  for (int i = 0; i < 20; ++i) {
    w.press(VK_TAB);
    const auto at = static_cast<Control>(GetDlgCtrlID(GetFocus()));
    if (at == first) break;
    seen.push_back(at);
  }
  return seen;
}

// Top to bottom and left to right, as the window reads; one stop for each
// group of option buttons, the chosen one.
TEST(Keyboard, TabFollowsTheLayoutWithOneStopForEachGroupOfOptionButtons) {
  LocalWindow w("R1");
  EXPECT_EQ(tabRound(w, Control::allComponents),
            (std::vector<Control>{Control::allComponents, Control::writeEco, Control::run,
                                  Control::end}));
  click(w[Control::selectedComponents]);
  click(w[Control::writeEco]);
  EXPECT_EQ(tabRound(w, Control::selectedComponents),
            (std::vector<Control>{Control::selectedComponents, Control::assignNextFree,
                                  Control::writeEco, Control::forceReadInPcb, Control::run,
                                  Control::startNumber, Control::end}));
  click(w[Control::renameDuplicates]);
  click(w[Control::allComponents]);
  EXPECT_EQ(
      tabRound(w, Control::allComponents),
      (std::vector<Control>{Control::allComponents, Control::writeEco, Control::forceReadInPcb,
                            Control::run, Control::startNumber, Control::end}));
  for (Control option : {Control::allComponents, Control::assignNextFree, Control::writeOnly})
    EXPECT_TRUE(GetWindowLongW(w[option], GWL_STYLE) & WS_GROUP);
  for (Control option :
       {Control::selectedComponents, Control::renameDuplicates, Control::forceReadInPcb})
    EXPECT_FALSE(GetWindowLongW(w[option], GWL_STYLE) & WS_GROUP);
}

// The access key a text marks with '&' ("&&" is a plain '&'), lower-cased.
std::optional<wchar_t> accessKey(const std::wstring& text) {
  for (std::size_t k = 0; k + 1 < text.size(); ++k) {
    if (text[k] != L'&') continue;
    if (text[k + 1] != L'&') return static_cast<wchar_t>(towlower(text[k + 1]));
    ++k;
  }
  return std::nullopt;
}

std::vector<std::wstring> childTexts(HWND window) {
  std::vector<std::wstring> texts;
  for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    wchar_t text[256] = L"";
    GetWindowTextW(c, text, 256);
    texts.push_back(text);
  }
  return texts;
}

// The items of a menu; Wine's own "About Wine", which it adds to every
// system menu and Windows does not, is left out.
std::vector<std::wstring> menuTexts(HMENU menu) {
  std::vector<std::wstring> texts;
  for (int k = 0; k < GetMenuItemCount(menu); ++k) {
    wchar_t text[256] = L"";
    GetMenuStringW(menu, k, text, 256, MF_BYPOSITION);
    if (std::wstring(text) != L"&About Wine") texts.push_back(text);
  }
  return texts;
}

// The texts that share an access key with one before them; empty when none does.
std::string repeatedKeys(const std::vector<std::wstring>& texts) {
  std::map<wchar_t, std::wstring> owner;
  std::string repeated;
  for (const std::wstring& text : texts) {
    const auto key = accessKey(text);
    if (!key) continue;
    if (auto [at, first] = owner.emplace(*key, text); !first)
      repeated += win::narrow(at->second) + " / " + win::narrow(text) + "; ";
  }
  return repeated;
}

UINT menuCommand(HMENU menu, const wchar_t* begins) {
  for (int k = 0; k < GetMenuItemCount(menu); ++k) {
    wchar_t text[256] = L"";
    GetMenuStringW(menu, k, text, 256, MF_BYPOSITION);
    std::wstring shown(text);
    std::erase(shown, L'&');
    if (shown.rfind(begins, 0) == 0) return GetMenuItemID(menu, k);
  }
  return 0;
}

// Every window and menu of Varnel's gives each access key to one control
// or item: Alt+N once pressed End instead of choosing "Assign next free
// names", and N in the system menu minimized instead of opening the
// Numbering options.
TEST(Keyboard, EveryWindowAndMenuGivesEachAccessKeyOnce) {
  LocalWindow w("R5* R6* U1A");
  EXPECT_EQ(repeatedKeys(childTexts(w.window.handle())), "");
  HMENU system = GetSystemMenu(w.window.handle(), FALSE);
  ASSERT_TRUE(system);
  EXPECT_EQ(repeatedKeys(menuTexts(system)), "");
  std::vector<std::pair<std::string, std::string>> boxes;  // title, keys used twice
  win::DialogAnswerer answerer("", {}, [&](HWND box) {
    boxes.emplace_back(win::windowText(box), repeatedKeys(childTexts(box)));
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  });
  for (const wchar_t* command : {L"Numbering options", L"About Varnel"})
    SendMessageW(w.window.handle(), WM_SYSCOMMAND, menuCommand(system, command), 0);
  click(w[Control::allComponents]);
  SendMessageW(w.window.handle(), WM_SYSCOMMAND, menuCommand(system, L"Preview renames"), 0);
  ASSERT_TRUE(IsWindowVisible(w.program.preview().handle()));
  EXPECT_EQ(repeatedKeys(childTexts(w.program.preview().handle())), "");
  app::Journal cutOff, undelivered;
  undelivered.version = 3;
  undelivered.end = app::Journal::End::completed;
  undelivered.eco = app::EcoOutput::forceReadInPcb;
  undelivered.renames = {{1, "R5", "R1"}};
  for (const app::Journal& journal : {cutOff, undelivered}) {
    const app::RecoveryQuestion question = app::recoveryQuestion(journal, 0);
    std::vector<std::wstring> captions;
    for (const auto& choice : question.choices) captions.push_back(win::widen(choice.caption));
    EXPECT_EQ(repeatedKeys(captions), "") << question.title;
  }
  ASSERT_EQ(boxes.size(), 2u);
  for (const auto& [title, repeated] : boxes) EXPECT_EQ(repeated, "") << title;
}

TEST(Keyboard, ArrowsMoveWithinAGroupOfOptionButtons) {
  LocalWindow w("R1");
  click(w[Control::allComponents]);
  SetFocus(w[Control::allComponents]);
  EXPECT_TRUE(w.press(VK_DOWN));
  EXPECT_EQ(GetFocus(), w[Control::selectedComponents]);
  EXPECT_TRUE(isChecked(w[Control::selectedComponents]));
  EXPECT_FALSE(isChecked(w[Control::allComponents]));
  EXPECT_TRUE(isEnabled(w[Control::assignNextFree])) << "chosen as by a click";
  SetFocus(w[Control::assignNextFree]);
  EXPECT_TRUE(w.press(VK_RIGHT));
  EXPECT_TRUE(isChecked(w[Control::renameDuplicates]));
  EXPECT_TRUE(w.press(VK_UP));
  EXPECT_TRUE(isChecked(w[Control::assignNextFree]));
  EXPECT_TRUE(isChecked(w[Control::selectedComponents])) << "the other group is untouched";
}

TEST(Keyboard, EnterPressesTheFocusedButtonAndAccessKeysChoose) {
  LocalWindow w("R5 R6 GND");
  EXPECT_TRUE(w.alt('a'));
  EXPECT_TRUE(isChecked(w[Control::allComponents]));
  EXPECT_TRUE(w.alt('t'));
  EXPECT_EQ(GetFocus(), w[Control::startNumber]);
  SetFocus(w[Control::run]);
  EXPECT_TRUE(w.press(VK_RETURN));
  EXPECT_EQ(tests::designators(w.host->design()), words("R1 R2 GND"));
  EXPECT_TRUE(w.alt('s'));
  EXPECT_TRUE(isChecked(w[Control::selectedComponents]));
  EXPECT_TRUE(w.alt('d'));
  EXPECT_TRUE(isChecked(w[Control::renameDuplicates]));
  EXPECT_TRUE(w.alt('w'));
  EXPECT_TRUE(isChecked(w[Control::writeEco]));
  EXPECT_TRUE(w.alt('o'));
  EXPECT_TRUE(isChecked(w[Control::writeOnly]));
  SetFocus(w[Control::startNumber]);
  w.press(VK_RETURN);
  EXPECT_FALSE(w.window.ended()) << "Enter in the start box presses nothing";
  EXPECT_TRUE(w.alt('n'));
  EXPECT_TRUE(isChecked(w[Control::assignNextFree]));
  EXPECT_FALSE(w.window.ended()) << "n chooses Assign next free names, not End";
  EXPECT_TRUE(w.alt('e'));
  EXPECT_TRUE(w.window.ended());
}

TEST(Keyboard, ClickingTheChosenModeAgainKeepsItsSubMode) {
  LocalWindow w("R1");
  click(w[Control::selectedComponents]);
  click(w[Control::renameDuplicates]);
  click(w[Control::selectedComponents]);
  EXPECT_TRUE(isChecked(w[Control::renameDuplicates]));
  EXPECT_FALSE(isChecked(w[Control::assignNextFree]));
}

// The colours the window gives a control, as it paints it.
struct Painted {
  COLORREF text, background;
};
Painted paintedColours(LocalWindow& w, Control id, UINT message) {
  HDC dc = GetDC(w[id]);
  SendMessageW(w.window.handle(), message, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(w[id]));
  const Painted painted{GetTextColor(dc), GetBkColor(dc)};
  ReleaseDC(w[id], dc);
  return painted;
}

TEST(Looks, TheStartBoxTakesTheWindowColoursOnceEnabled) {
  LocalWindow w("R1");
  EXPECT_EQ(paintedColours(w, Control::startNumber, WM_CTLCOLORSTATIC).background,
            GetSysColor(COLOR_INACTIVEBORDER));
  click(w[Control::selectedComponents]);
  const Painted enabled = paintedColours(w, Control::startNumber, WM_CTLCOLOREDIT);
  EXPECT_EQ(enabled.background, GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(enabled.text, GetSysColor(COLOR_WINDOWTEXT));
}

TEST(Looks, StartFromIsShownWhole) {
  LocalWindow w("R1");
  HWND label = w[Control::startLabel];
  RECT box;
  GetClientRect(label, &box);
  const auto font = reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0));
  EXPECT_GE(box.right, win::textWidth(label, font, L"Start from:"));
  RECT labelAt, startAt;
  GetWindowRect(label, &labelAt);
  GetWindowRect(w[Control::startNumber], &startAt);
  EXPECT_LE(labelAt.right, startAt.left) << "it does not run under the start box";
}

TEST(Looks, TheReportOpensOnTheScreenWithItsRuleOnOneLine) {
  LocalWindow w("R5 GND");
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  RECT main;
  GetWindowRect(w.window.handle(), &main);
  // The main window at the right edge: there is no room beside it there.
  SetWindowPos(w.window.handle(), nullptr, work.right - (main.right - main.left), work.top + 10, 0,
               0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  click(w[Control::allComponents]);
  click(w[Control::run]);
  HWND report = w.program.report().handle();
  ASSERT_TRUE(IsWindow(report));
  RECT at;
  GetWindowRect(report, &at);
  EXPECT_GE(at.left, work.left);
  EXPECT_GE(at.top, work.top);
  EXPECT_LE(at.right, work.right);
  EXPECT_LE(at.bottom, work.bottom);
  HWND edit = GetWindow(report, GW_CHILD);
  EXPECT_EQ(SendMessageW(edit, EM_GETLINECOUNT, 0, 0), 5) << "three heading lines, GND, end";
}

// True when above lies above below in the window order.
bool isAbove(HWND above, HWND below) {
  for (HWND w = GetWindow(below, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
    if (w == above) return true;
  return false;
}

TEST(Looks, TheReportComesToTheFrontWhenARunAddsToIt) {
  LocalWindow w("GND");
  click(w[Control::allComponents]);
  click(w[Control::run]);
  HWND report = w.program.report().handle();
  win::WindowHandle other(CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPED | WS_VISIBLE, 0, 0,
                                          200, 200, nullptr, nullptr, nullptr, nullptr));
  SetWindowPos(other.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ASSERT_TRUE(isAbove(other.get(), report));
  click(w[Control::run]);
  EXPECT_TRUE(isAbove(report, other.get()));
  EXPECT_NE(w.program.report().text().find("GND\r\n\r\nThe run at "), std::string::npos);
}

TEST(PreviewWindow, UndoFromTheSystemMenuShowsTheInverseAndRenameTakesTheRunBack) {
  tests::JournaledWindow w("R5 R6 GND");
  win::Program& program = w.program;
  win::MainWindow& window = w.window;
  const auto& host = w.host;
  click(window.control(Control::allComponents));

  SendMessageW(window.handle(), WM_SYSCOMMAND, 0x0100, 0);  // Preview renames...
  HWND preview = program.preview().handle();
  ASSERT_TRUE(preview && IsWindowVisible(preview));
  EXPECT_EQ(tests::titleOf(preview), "Preview");
  EXPECT_EQ(GetWindow(preview, GW_OWNER), window.handle());
  EXPECT_EQ(SendMessageW(program.preview().list(), LVM_GETITEMCOUNT, 0, 0), 3) << "2 renames, GND";
  EXPECT_TRUE(host->renames().empty());
  click(GetDlgItem(preview, IDOK));  // Rename
  EXPECT_FALSE(IsWindowVisible(preview));
  EXPECT_EQ(tests::designators(host->design()), words("R1 R2 GND"));

  SendMessageW(window.handle(), WM_SYSCOMMAND, 0x0110, 0);  // Undo last run...
  ASSERT_TRUE(IsWindowVisible(preview));
  EXPECT_EQ(tests::titleOf(preview), "Undo");
  EXPECT_EQ(SendMessageW(program.preview().list(), LVM_GETITEMCOUNT, 0, 0), 2);
  click(GetDlgItem(preview, IDOK));
  EXPECT_EQ(tests::designators(host->design()), words("R5 R6 GND"));
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// The Stop button is Run's, under Wine as on Windows: pressed while a run
// renames (PowerLogic taking 10 ms a call), the run stops between two
// renames, says where it is in the status bar, and its cut-off run is
// offered to be closed at once; taken back, the design is as it was.
TEST(StopButton, StopsARunBetweenTwoRenamesAndOffersToCloseIt) {
  std::string parts;
  for (int k = 101; k <= 160; ++k) parts += "R" + std::to_string(k) + " ";
  tests::JournaledWindow w(parts);
  win::MainWindow& window = w.window;
  const auto& host = w.host;
  HWND run = window.control(Control::run);
  click(window.control(Control::allComponents));
  std::string caption, status;
  int renamed = 0;
  host->onRenamed([&](const standin::RenameRecord&) {
    Sleep(10);
    if (++renamed == 5) {
      caption = tests::titleOf(run);
      PostMessageW(run, BM_CLICK, 0, 0);
    }
    if (renamed == 4) status = window.statusText();
  });
  std::vector<std::string> boxes;
  win::DialogAnswerer answerer("", {}, [&](HWND box) {
    boxes.push_back(win::windowText(box));
    if (GetDlgItem(box, 101)) PostMessageW(box, WM_COMMAND, 101, 0);  // Take it back
  });
  click(run);
  EXPECT_EQ(caption, "Sto&p");
  EXPECT_EQ(status.rfind("Renaming: ", 0), 0u) << status;
  EXPECT_LT(renamed, 30) << "stopped within a few renames of the click";
  EXPECT_EQ(boxes, std::vector<std::string>{"Varnel: a run was cut off"});
  EXPECT_EQ(tests::designators(host->design()), words(parts)) << "taken back";
  EXPECT_EQ(tests::titleOf(run), "&Run");
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

// F1 opens the README.txt beside Varnel.exe; without one there (as beside
// the test program), a message says where help is to be found.
TEST(Keyboard, F1SaysWhereHelpIs) {
  tests::LocalWindow w("R1");
  win::DialogAnswerer answerer;
  SetFocus(w[Control::allComponents]);
  EXPECT_TRUE(w.press(VK_F1));
  ASSERT_EQ(answerer.seen().size(), 1u);
  EXPECT_EQ(answerer.seen()[0].text.rfind("Varnel's help is the README.txt that comes with", 0), 0u)
      << answerer.seen()[0].text;
}

}  // namespace
}  // namespace varnel
