// The Numbering options window under Wine: its access keys, a wrong entry
// refused with the caret put in its field, Cancel, and everything fitting at
// 96 and 144 dpi; the Preview's check boxes working the plan out again.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <string>
#include <thread>

#include "fakes.h"
#include "standin/win32/desktop_automation.h"
#include "win32/base/dpi.h"
#include "win32/ui/numbering_options_box.h"
#include "wine_at_dpi.h"
#include "wine_window.h"

namespace varnel {
namespace {

constexpr int kKeepRight = 100, kLocked = 101, kOrder = 104, kAcross = 105, kDown = 106,
              kGrid = 107, kByBoard = 109, kBoardFile = 110, kSides = 114, kBottomStart = 115,
              kSeenFromBelow = 116, kBoardGrid = 117;

std::optional<renumber::FieldRefusal> check(const renumber::RulesTexts& texts) {
  try {
    renumber::parseRules(texts);
    return std::nullopt;
  } catch (const renumber::FieldRefusal& refusal) {
    return refusal;
  }
}

bool isOptionsBox(HWND box) {
  return GetDlgItem(box, kLocked) != nullptr;
}

// Whether a one-line caption (a label, a check box's or an option's words)
// has the width its words take in its font, beside the box it may have.
bool captionFits(HWND control) {
  wchar_t kind[16] = L"";
  GetClassNameW(control, kind, 16);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  const LONG type = style & BS_TYPEMASK;
  const bool choice =
      lstrcmpiW(kind, L"Button") == 0 && (type == BS_AUTOCHECKBOX || type == BS_AUTORADIOBUTTON);
  RECT r;
  GetClientRect(control, &r);
  HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  std::wstring caption = win::widen(tests::titleOf(control));
  std::erase(caption, L'&');
  SIZE size{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  const bool oneLineLabel = lstrcmpiW(kind, L"Static") == 0 && r.bottom < size.cy * 3 / 2;
  if (!choice && !oneLineLabel) return true;
  const int box = choice ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 0;
  return size.cx + box <= r.right;
}

// What does not fit: a control outside the box or over another, or a caption
// cut short; empty when all fits.
std::string misfits(HWND box) {
  RECT client;
  GetClientRect(box, &client);
  std::vector<RECT> placed;
  std::string wrong;
  for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    const RECT r = tests::rectIn(box, c);
    bool ok = r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom;
    for (const RECT& q : placed)
      ok &= !(r.left < q.right && q.left < r.right && r.top < q.bottom && q.top < r.bottom);
    placed.push_back(r);
    if (!ok || !captionFits(c))
      wrong += "[" + std::to_string(GetDlgCtrlID(c)) + " " + tests::titleOf(c) + "] ";
  }
  return wrong;
}

TEST(NumberingOptionsBox, AWrongEntryIsRefusedAndTheCaretGoesToItsField) {
  tests::LocalWindow w("R1");
  std::string refusal;
  std::atomic<DWORD> selectionAfter{0};
  std::thread fixer;
  std::string misfit = "not shown";
  win::DialogAnswerer answerer("", {}, [&](HWND dialog) {
    if (isOptionsBox(dialog)) {
      misfit = misfits(dialog);
      PostMessageW(dialog, WM_SYSCHAR, 'k', 1 << 29);  // Alt+K: keep names already right
      SetDlgItemTextW(dialog, kLocked, L"U100 J8-J1");
      return;  // then OK
    }
    // The refusal's message box: once it is answered, the entry is mended and OK pressed.
    refusal = win::windowText(GetDlgItem(dialog, 0xFFFF));
    HWND box = GetWindow(dialog, GW_OWNER);
    fixer = std::thread([&selectionAfter, box] {
      Sleep(500);
      selectionAfter = static_cast<DWORD>(SendDlgItemMessageW(box, kLocked, EM_GETSEL, 0, 0));
      SetDlgItemTextW(box, kLocked, L"U100 J1-J8");
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
  });
  const auto chosen = win::askNumberingOptions(w.window.handle(), {}, check);
  if (fixer.joinable()) fixer.join();
  EXPECT_EQ(misfit, "");
  EXPECT_NE(refusal.find("Locked designators: \"J8-J1\" runs backwards"), std::string::npos)
      << refusal;
  ASSERT_TRUE(chosen);
  EXPECT_EQ(*chosen, (renumber::RulesTexts{true, "U100 J1-J8", "", ""}));
  // The whole entry selected in its field, for the user to type over.
  EXPECT_EQ(selectionAfter.load(), MAKELONG(0, 10));
}

TEST(NumberingOptionsBox, CancelKeepsWhatWasThereAndTheBoxShowsIt) {
  tests::LocalWindow w("R1");
  std::string locked;
  bool keep = false;
  win::DialogAnswerer answerer("", {}, [&](HWND box) {
    locked = win::windowText(GetDlgItem(box, kLocked));
    keep = IsDlgButtonChecked(box, kKeepRight) == BST_CHECKED;
    SetDlgItemTextW(box, kLocked, L"TP*");
    PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_FALSE(win::askNumberingOptions(w.window.handle(), {true, "J1-J8", "", ""}, check));
  EXPECT_EQ(locked, "J1-J8");
  EXPECT_TRUE(keep);
}

TEST(NumberingOptionsBox, ThePlacementOrderIsChosenFromListsAndAWrongGridIsRefused) {
  tests::LocalWindow w("R1");
  renumber::RulesTexts current;
  current.across = "right-to-left";
  LRESULT shownAcross = -1;
  HWND focusAfter = nullptr, grid = nullptr;
  std::thread fixer;
  win::DialogAnswerer answerer("", {}, [&](HWND dialog) {
    if (isOptionsBox(dialog)) {
      shownAcross = SendDlgItemMessageW(dialog, kAcross, CB_GETCURSEL, 0, 0);
      SendDlgItemMessageW(dialog, kOrder, CB_SETCURSEL, 1, 0);
      SendDlgItemMessageW(dialog, kDown, CB_SETCURSEL, 1, 0);
      SetDlgItemTextW(dialog, kGrid, L"a few");
      grid = GetDlgItem(dialog, kGrid);
      return;  // then OK
    }
    HWND box = GetWindow(dialog, GW_OWNER);
    fixer = std::thread([&focusAfter, box] {
      Sleep(500);
      // The focus of the box's thread, asked for from the box's thread's window.
      const DWORD thread = GetWindowThreadProcessId(box, nullptr);
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      GetGUIThreadInfo(thread, &info);
      focusAfter = info.hwndFocus;
      SetDlgItemTextW(box, kGrid, L"25");
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
  });
  const auto chosen = win::askNumberingOptions(w.window.handle(), current, check);
  if (fixer.joinable()) fixer.join();
  EXPECT_EQ(shownAcross, 1) << "the list shows the order kept";
  EXPECT_EQ(focusAfter, grid) << "the caret goes to the grid";
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->order, "rows-first");
  EXPECT_EQ(chosen->across, "right-to-left");
  EXPECT_EQ(chosen->down, "bottom-to-top");
  EXPECT_EQ(chosen->grid, "25");
}

TEST(NumberingOptionsBox, TheBoardIsChosenWithItsFileAndAnEmptyFileIsRefused) {
  tests::LocalWindow w("R1");
  renumber::RulesTexts current;
  current.boardFile = "C:\\pcb\\old.pos";
  std::wstring shownFile;
  HWND focusAfter = nullptr, file = nullptr;
  std::thread fixer;
  win::DialogAnswerer answerer("", {}, [&](HWND dialog) {
    if (isOptionsBox(dialog)) {
      wchar_t text[64] = L"";
      GetDlgItemTextW(dialog, kBoardFile, text, 64);
      shownFile = text;
      CheckRadioButton(dialog, 108, kByBoard, kByBoard);
      SetDlgItemTextW(dialog, kBoardFile, L"");
      SendDlgItemMessageW(dialog, kSides, CB_SETCURSEL, 1, 0);
      SetDlgItemTextW(dialog, kBottomStart, L"101");
      CheckDlgButton(dialog, kSeenFromBelow, BST_UNCHECKED);
      SetDlgItemTextW(dialog, kBoardGrid, L"0.5");
      file = GetDlgItem(dialog, kBoardFile);
      return;  // then OK, refused: no file
    }
    HWND box = GetWindow(dialog, GW_OWNER);
    fixer = std::thread([&focusAfter, box] {
      Sleep(500);
      GUITHREADINFO info{};
      info.cbSize = sizeof info;
      GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info);
      focusAfter = info.hwndFocus;
      SetDlgItemTextW(box, kBoardFile, L"C:\\pcb\\board.pos");
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
  });
  const auto chosen = win::askNumberingOptions(w.window.handle(), current, check);
  if (fixer.joinable()) fixer.join();
  EXPECT_EQ(shownFile, L"C:\\pcb\\old.pos") << "the file kept is shown";
  EXPECT_EQ(focusAfter, file) << "the caret goes to the file";
  ASSERT_TRUE(chosen);
  EXPECT_TRUE(chosen->byBoard);
  EXPECT_EQ(chosen->boardFile, "C:\\pcb\\board.pos");
  EXPECT_EQ(chosen->sides, "top");
  EXPECT_EQ(chosen->bottomStart, "101");
  EXPECT_EQ(chosen->bottomView, "above");
  EXPECT_EQ(chosen->boardGrid, "0.5");
}

// Run in a child process by the test below, after the DPI is set.
TEST(NumberingOptionsBox, DISABLED_FitsAtTheDpiItWasStartedAt) {
  const UINT dpi = static_cast<UINT>(std::atoi(std::getenv("VARNEL_EXPECTED_DPI")));
  ASSERT_EQ(win::systemDpi(), dpi);
  tests::LocalWindow w("R1");
  std::string misfit = "not shown";
  LONG font = 0;
  win::DialogAnswerer answerer("", {}, [&](HWND box) {
    misfit = misfits(box);
    LOGFONTW description{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendDlgItemMessageW(box, kLocked, WM_GETFONT, 0, 0)),
               sizeof description, &description);
    font = description.lfHeight;
  });
  EXPECT_TRUE(
      win::askNumberingOptions(w.window.handle(), {true, "J1-J8 TP*", "R C", "R=100"}, check));
  EXPECT_EQ(misfit, "");
  LOGFONTW expected{};
  GetObjectW(win::messageFontAt(dpi).get(), sizeof expected, &expected);
  EXPECT_EQ(font, expected.lfHeight);
}

TEST(NumberingOptionsBox, FitsAtOneHundredAndFortyFourDpi) {
  const auto child =
      tests::runAtDpi(144, L"NumberingOptionsBox.DISABLED_FitsAtTheDpiItWasStartedAt");
  EXPECT_EQ(child.exitCode, 0) << child.out;
  EXPECT_NE(child.out.find("[  PASSED  ] 1 test"), std::string::npos) << child.out;
}

int rowCount(HWND list) {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string cell(HWND list, int row, int column) {
  wchar_t text[64] = L"";
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = 64;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return win::narrow(text);
}

UINT checkOf(HWND list, int row) {
  return static_cast<UINT>(SendMessageW(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK)) >> 12;
}

// The state icon of row: where a click on the list lands on it.
POINT stateIconOf(HWND list, int row) {
  RECT bounds{};
  bounds.left = LVIR_BOUNDS;
  SendMessageW(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
  for (LONG x = bounds.left; x < bounds.left + 60; ++x) {
    LVHITTESTINFO hit{};
    hit.pt = {x, (bounds.top + bounds.bottom) / 2};
    SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if (hit.iItem == row && (hit.flags & LVHT_ONITEMSTATEICON)) return hit.pt;
  }
  return {-1, -1};
}

// The space bar pressed on row, focused and selected first, as the user
// presses it; the plan worked out again has come back once it returns.
void pressSpaceOn(HWND list, int row) {
  SetFocus(list);
  LVITEMW item{};
  item.stateMask = item.state = LVIS_FOCUSED | LVIS_SELECTED;
  SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
  SendMessageW(list, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageW(list, WM_KEYUP, VK_SPACE, 0);
  win::pumpMessages(std::chrono::milliseconds(200));
}

// The user's two ways: the space bar on the focused row, a click on a check box.
TEST(PreviewCheckBoxes, UncheckingARowLocksItsComponentAndCheckingItFreesIt) {
  tests::LocalWindow w("R5 R7 R9");
  w.window.setChecked(app::Control::allComponents, true);
  w.program.presenter().onPreview();
  HWND list = w.program.preview().list();
  ASSERT_GT(rowCount(list), 0);
  const int before = rowCount(list);
  EXPECT_EQ(checkOf(list, 0), 2u);
  const std::string component = cell(list, 0, 1);
  pressSpaceOn(list, 0);
  const int last = rowCount(list) - 1;
  EXPECT_EQ(cell(list, last, 1), component);
  EXPECT_EQ(checkOf(list, last), 1u);
  for (int row = 0; row < last; ++row)
    EXPECT_NE(cell(list, row, 1), component) << "its own renames are gone";
  EXPECT_NE(win::windowText(w.program.preview().note()).find("1 row unchecked"), std::string::npos);
  const POINT box = stateIconOf(list, last);
  ASSERT_GE(box.x, 0);
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.x, box.y));
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(box.x, box.y));
  win::pumpMessages(std::chrono::milliseconds(300));
  EXPECT_EQ(rowCount(list), before);
  EXPECT_EQ(checkOf(list, 0), 2u);
  EXPECT_EQ(win::windowText(w.program.preview().note()).find("unchecked"), std::string::npos)
      << "one click, one toggle";
}

// Unchecking a row far down a long list keeps the list where the user had
// it: the row goes to the kept rows at the end, the list does not.
TEST(PreviewCheckBoxes, UncheckingARowKeepsTheListWhereItWas) {
  std::string parts;
  for (int k = 1001; k <= 1400; ++k) parts += "R" + std::to_string(k) + " ";
  tests::LocalWindow w(parts);
  w.window.setChecked(app::Control::allComponents, true);
  w.program.presenter().onPreview();
  HWND list = w.program.preview().list();
  ASSERT_EQ(rowCount(list), 400);
  SendMessageW(list, LVM_ENSUREVISIBLE, 399, FALSE);
  SendMessageW(list, LVM_ENSUREVISIBLE, 200, FALSE);
  const auto top = SendMessageW(list, LVM_GETTOPINDEX, 0, 0);
  ASSERT_GT(top, 150);
  pressSpaceOn(list, 200);
  EXPECT_EQ(checkOf(list, rowCount(list) - 1), 1u) << "the row unchecked, kept at the end";
  EXPECT_EQ(SendMessageW(list, LVM_GETTOPINDEX, 0, 0), top);
}

// A design of 100000 components: a Preview of its 200000 renames opens at
// once (a virtual list) and shows its last row; both run kinds complete.
TEST(PreviewCheckBoxes, AHundredThousandComponentsArePreviewedAndRenumbered) {
  std::string parts;
  for (const char* prefix : {"R", "C", "U", "L", "D", "Q", "J", "Y", "FB", "TP"})
    for (int i = 0; i < 10000; ++i)
      parts += prefix + std::to_string(10000 - i) + "@" + std::to_string(i) + ",0" +
               (i % 3 == 0 ? "* " : " ");
  tests::LocalWindow w(parts);
  win::DialogAnswerer answerer;  // a message would say what went wrong
  w.window.setChecked(app::Control::allComponents, true);
  w.program.presenter().onPreview();
  HWND list = w.program.preview().list();
  ASSERT_EQ(rowCount(list), 200000) << "each moved aside, then numbered";
  SendMessageW(list, LVM_ENSUREVISIBLE, 199999, FALSE);
  win::pumpMessages(std::chrono::milliseconds(100));
  EXPECT_EQ(cell(list, 199999, 0), "200000");
  EXPECT_EQ(checkOf(list, 199999), 2u);
  SendMessageW(w.program.preview().handle(), WM_CLOSE, 0, 0);
  w.program.presenter().onRun();
  EXPECT_EQ(w.host->design().parts.back().designator, "TP10000");
  EXPECT_EQ(w.host->design().parts.front().designator, "R1");
  w.window.setChecked(app::Control::allComponents, false);
  w.window.setChecked(app::Control::selectedComponents, true);
  w.program.presenter().onRun();
  // The second selected R wants R2, which another bears: the next free name.
  EXPECT_EQ(w.host->design().parts[3].designator, "R10001");
  for (const auto& seen : answerer.seen()) ADD_FAILURE() << seen.text;
}

}  // namespace
}  // namespace varnel
