#include "win32/ui/numbering_options_box.h"

#include <algorithm>
#include <string>
#include <vector>

#include "base/error.h"
#include "win32/base/text.h"
#include "win32/base/text_metrics.h"
#include "win32/base/window_text.h"
#include "win32/ui/built_dialog.h"
#include "win32/ui/open_file_dialog.h"

namespace varnel::win {

namespace {

constexpr int kKeepRight = 100, kLocked = 101, kOnly = 102, kStartFor = 103, kOrder = 104,
              kAcross = 105, kDown = 106, kGrid = 107, kBySheet = 108, kByBoard = 109,
              kBoardFile = 110, kBrowseBoard = 111, kBottomFile = 112, kBrowseBottom = 113,
              kSides = 114, kBottomStart = 115, kSeenFromBelow = 116, kBoardGrid = 117;

// The board's fields that name a file, each with its Browse button.
struct FileField {
  int id, browse;
  const char* name;
  const wchar_t* label;
  std::string renumber::RulesTexts::*text;
};
const FileField kFileFields[] = {
    {kBoardFile, kBrowseBoard, renumber::kBoardFileField, L"the &board's placement, from the file:",
     &renumber::RulesTexts::boardFile},
    {kBottomFile, kBrowseBottom, renumber::kBottomFileField,
     L"Bottom side's own file (&if the layout writes one a side):",
     &renumber::RulesTexts::bottomFile}};
constexpr wchar_t kPlacementFilter[] =
    L"Placement files (*.pos;*.csv;*.txt;*.mnt;*.mnb;*.xy)|*.pos;*.csv;*.txt;*.mnt;*.mnb;*.xy|"
    L"All files (*.*)|*.*|";
constexpr wchar_t kBoardHelp[] =
    L"The layout's file for assembly, read afresh at every Run and Preview; in mm, the "
    L"bottom mirrored when seen from below. Parts it does not place keep their names.";

// A field: its label with its access key, its edit box and a line of help.
struct Field {
  int id;
  const char* name;  // as the refusals begin
  const wchar_t* label;
  const wchar_t* help;
};
const Field kFields[] = {
    {kLocked, renumber::kLockedField, L"&Locked designators:",
     L"Names, ranges of one prefix and prefixes with *, such as J1-J8 TP* U100. Never renamed."},
    {kOnly, renumber::kOnlyField, L"&Only these prefixes:",
     L"Such as R C L; empty for every prefix. The others keep their names."},
    {kStartFor, renumber::kStartForField, L"&Start number per prefix:",
     L"Such as R=100 C=200 TP=900; the others start at the main window's number."}};

// The three drop-down lists of the placement order, side by side.
struct Choices {
  int id;
  const std::vector<renumber::Choice>& (*choices)();
  std::string renumber::RulesTexts::*text;
};
const Choices kChoices[] = {{kOrder, renumber::orderChoices, &renumber::RulesTexts::order},
                            {kAcross, renumber::acrossChoices, &renumber::RulesTexts::across},
                            {kDown, renumber::downChoices, &renumber::RulesTexts::down}};

constexpr wchar_t kOrderLabel[] = L"&Placement order:";
constexpr wchar_t kGridLabel[] = L"&Grid:";
constexpr wchar_t kOrderHelp[] =
    L"How Rename selected components numbers each prefix. Parts within half a grid "
    L"(PowerLogic's units) share a column or row; 0 rounds nothing.";

class NumberingOptionsBox final : public BuiltDialog {
 public:
  NumberingOptionsBox(HWND owner, const renumber::RulesTexts& current,
                      const app::MainWindowView::RulesCheck& check)
      : BuiltDialog(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
        texts_(current),
        check_(check) {}
  const renumber::RulesTexts& texts() const { return texts_; }

 private:
  void build(HWND dialog) override;
  bool onCommand(HWND dialog, int id) override;
  int addField(HWND dialog, const Field& field, const std::string& text, int top, int width);
  int addOrder(HWND dialog, int top, int width);
  int addBoard(HWND dialog, int top, int width);
  int addFileField(HWND dialog, const FileField& field, int top, int width, int indent);
  int addBoardDetails(HWND dialog, int top, int width, int indent);
  void browse(HWND dialog, const FileField& field);
  renumber::RulesTexts typed(HWND dialog) const;

  renumber::RulesTexts texts_;
  const app::MainWindowView::RulesCheck& check_;
};

renumber::RulesTexts NumberingOptionsBox::typed(HWND dialog) const {
  renumber::RulesTexts texts;
  texts.keepRight = IsDlgButtonChecked(dialog, kKeepRight) == BST_CHECKED;
  texts.locked = windowText(GetDlgItem(dialog, kLocked));
  texts.only = windowText(GetDlgItem(dialog, kOnly));
  texts.startFor = windowText(GetDlgItem(dialog, kStartFor));
  for (const Choices& list : kChoices) {
    const LRESULT chosen = SendDlgItemMessageW(dialog, list.id, CB_GETCURSEL, 0, 0);
    texts.*list.text = list.choices()[chosen == CB_ERR ? 0 : chosen].word;
  }
  texts.grid = windowText(GetDlgItem(dialog, kGrid));
  texts.byBoard = IsDlgButtonChecked(dialog, kByBoard) == BST_CHECKED;
  for (const FileField& field : kFileFields)
    texts.*field.text = windowText(GetDlgItem(dialog, field.id));
  const LRESULT sides = SendDlgItemMessageW(dialog, kSides, CB_GETCURSEL, 0, 0);
  texts.sides = renumber::sidesChoices()[sides == CB_ERR ? 0 : sides].word;
  texts.bottomStart = windowText(GetDlgItem(dialog, kBottomStart));
  texts.bottomView = IsDlgButtonChecked(dialog, kSeenFromBelow) == BST_CHECKED ? "below" : "above";
  texts.boardGrid = windowText(GetDlgItem(dialog, kBoardGrid));
  return texts;
}

// The dialog's failure is said over the box: no exception leaves its
// window procedure.
void NumberingOptionsBox::browse(HWND dialog, const FileField& field) {
  try {
    const auto chosen =
        askOpenPath(dialog, windowText(GetDlgItem(dialog, field.id)), kPlacementFilter);
    if (!chosen) return;
    SetDlgItemTextW(dialog, field.id, widen(*chosen).c_str());
    if (field.id == kBoardFile) CheckRadioButton(dialog, kBySheet, kByBoard, kByBoard);
  } catch (const base::Error& e) {
    MessageBoxW(dialog, widen(base::userMessage(e)).c_str(), L"Numbering options",
                MB_OK | MB_ICONEXCLAMATION);
  }
}

bool NumberingOptionsBox::onCommand(HWND dialog, int id) {
  if (id == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
    return true;
  }
  for (const FileField& field : kFileFields) {
    if (id != field.browse) continue;
    browse(dialog, field);
    return true;
  }
  if (id != IDOK) return false;
  const renumber::RulesTexts texts = typed(dialog);
  const auto refusal = check_(texts);
  if (!refusal) {
    texts_ = texts;
    EndDialog(dialog, IDOK);
    return true;
  }
  MessageBoxW(dialog, widen(refusal->text()).c_str(), L"Numbering options",
              MB_OK | MB_ICONEXCLAMATION);
  auto selectField = [&](int fieldId) {
    HWND edit = GetDlgItem(dialog, fieldId);
    SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(edit), TRUE);
    SendMessageW(edit, EM_SETSEL, 0, -1);
  };
  const std::string_view about = refusal->field();
  for (const Field& field : kFields)
    if (about == field.name) selectField(field.id);
  if (about == renumber::kGridField) selectField(kGrid);
  for (const FileField& field : kFileFields)
    if (about == field.name) selectField(field.id);
  if (about == renumber::kBottomStartField) selectField(kBottomStart);
  if (about == renumber::kBoardGridField) selectField(kBoardGrid);
  return true;
}

// The label, the edit box below it and the help under that; where the next begins.
int NumberingOptionsBox::addField(HWND dialog, const Field& field, const std::string& text, int top,
                                  int width) {
  const int margin = scaled(11), line = fontHeight(dialog, font());
  HWND label = add(dialog, L"STATIC", field.label, SS_LEFT, -1);
  MoveWindow(label, margin, top, width, line, FALSE);
  HWND edit =
      add(dialog, L"EDIT", widen(text), ES_AUTOHSCROLL | WS_TABSTOP, field.id, WS_EX_CLIENTEDGE);
  const int editHeight = line + scaled(8);
  MoveWindow(edit, margin, top + line + scaled(3), width, editHeight, FALSE);
  return addWords(dialog, field.help, margin, top + line + editHeight + scaled(5), width) +
         scaled(7);
}

// The label, the three lists below it and the help under that.
int NumberingOptionsBox::addOrder(HWND dialog, int top, int width) {
  const int margin = scaled(11), gap = scaled(7), line = fontHeight(dialog, font());
  HWND label = add(dialog, L"STATIC", kOrderLabel, SS_LEFT, -1);
  MoveWindow(label, margin, top, width, line, FALSE);
  // The grid's label and a field for a few digits share the lists' row.
  const int gridLabel = textWidth(dialog, font(), L"Grid:") + scaled(4), gridWidth = scaled(60);
  const int listWidth = (width - 4 * gap - gridLabel - gridWidth) / 3;
  const int listTop = top + line + scaled(3);
  int left = margin, listHeight = 0;
  for (const Choices& list : kChoices) {
    HWND box = add(dialog, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, list.id);
    for (const renumber::Choice& choice : list.choices())
      SendMessageW(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(choice.label).c_str()));
    SendMessageW(box, CB_SETCURSEL,
                 renumber::indexOf(list.choices(), texts_.*list.text).value_or(0), 0);
    // The height given is the closed box's and its open list's together.
    MoveWindow(box, left, listTop, listWidth, line * 6, FALSE);
    RECT closed;
    GetWindowRect(box, &closed);
    listHeight = closed.bottom - closed.top;
    left += listWidth + gap;
  }
  HWND grid = add(dialog, L"STATIC", kGridLabel, SS_LEFT, -1);
  MoveWindow(grid, left + gap, listTop + (listHeight - line) / 2, gridLabel, line, FALSE);
  HWND field = add(dialog, L"EDIT", widen(texts_.grid), ES_AUTOHSCROLL | WS_TABSTOP, kGrid,
                   WS_EX_CLIENTEDGE);
  MoveWindow(field, margin + width - gridWidth, listTop, gridWidth, listHeight, FALSE);
  return addWords(dialog, kOrderHelp, margin, listTop + listHeight + scaled(5), width) + scaled(7);
}

// A label above an edit box with its Browse button beside it.
int NumberingOptionsBox::addFileField(HWND dialog, const FileField& field, int top, int width,
                                      int indent) {
  const int margin = scaled(11), gap = scaled(7), line = fontHeight(dialog, font());
  const int button = buttonHeight(dialog), browseWidth = buttonWidth(dialog, L"Browse...");
  if (field.id != kBoardFile) {
    HWND label = add(dialog, L"STATIC", field.label, SS_LEFT, -1);
    MoveWindow(label, margin + indent, top, width - indent, line, FALSE);
    top += line + scaled(3);
  }
  HWND edit = add(dialog, L"EDIT", widen(texts_.*field.text), ES_AUTOHSCROLL | WS_TABSTOP, field.id,
                  WS_EX_CLIENTEDGE);
  MoveWindow(edit, margin + indent, top, width - indent - gap - browseWidth, button, FALSE);
  HWND browse = add(dialog, L"BUTTON", L"Browse...", BS_PUSHBUTTON | WS_TABSTOP, field.browse);
  MoveWindow(browse, margin + width - browseWidth, top, browseWidth, button, FALSE);
  return top + button + gap;
}

// Sides and the bottom start on one row, the bottom's view and the grid on the next.
int NumberingOptionsBox::addBoardDetails(HWND dialog, int top, int width, int indent) {
  const int margin = scaled(11), gap = scaled(7), line = fontHeight(dialog, font());
  const int button = buttonHeight(dialog), field = scaled(60), half = (width - indent) / 2;
  const int left = margin + indent, right = left + half;
  auto label = [&](const wchar_t* text, int x, int y, int w) {
    MoveWindow(add(dialog, L"STATIC", text, SS_LEFT, -1), x, y + (button - line) / 2, w, line,
               FALSE);
  };
  const int sidesLabel = textWidth(dialog, font(), L"Sides:") + scaled(6);
  label(L"Si&des:", left, top, sidesLabel);
  HWND sides = add(dialog, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_VSCROLL, kSides);
  for (const renumber::Choice& choice : renumber::sidesChoices())
    SendMessageW(sides, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(choice.label).c_str()));
  SendMessageW(sides, CB_SETCURSEL,
               renumber::indexOf(renumber::sidesChoices(), texts_.sides).value_or(0), 0);
  MoveWindow(sides, left + sidesLabel, top, half - sidesLabel - gap, line * 6, FALSE);
  label(L"Bottom side s&tarts at:", right, top, half - field - gap);
  HWND start = add(dialog, L"EDIT", widen(texts_.bottomStart), ES_AUTOHSCROLL | WS_TABSTOP,
                   kBottomStart, WS_EX_CLIENTEDGE);
  MoveWindow(start, margin + width - field, top, field, button, FALSE);
  top += button + gap;
  HWND below = add(dialog, L"BUTTON", L"Bottom side seen fro&m below", BS_AUTOCHECKBOX | WS_TABSTOP,
                   kSeenFromBelow);
  CheckDlgButton(dialog, kSeenFromBelow,
                 texts_.bottomView == "above" ? BST_UNCHECKED : BST_CHECKED);
  // The grid's label stands just before its field, as wide as its words.
  const int gridLabel = textWidth(dialog, font(), L"Board grid (mm):") + scaled(6);
  const int gridLeft = margin + width - field - gap - gridLabel;
  MoveWindow(below, left, top, gridLeft - left - gap, button, FALSE);
  label(L"Board g&rid (mm):", gridLeft, top, gridLabel);
  HWND grid = add(dialog, L"EDIT", widen(texts_.boardGrid), ES_AUTOHSCROLL | WS_TABSTOP, kBoardGrid,
                  WS_EX_CLIENTEDGE);
  MoveWindow(grid, margin + width - field, top, field, button, FALSE);
  return top + button + scaled(5);
}

// "Number by" with its two choices, the board's files and its details.
int NumberingOptionsBox::addBoard(HWND dialog, int top, int width) {
  const int margin = scaled(11), gap = scaled(7), button = buttonHeight(dialog);
  const int indent = scaled(17), line = fontHeight(dialog, font());
  // The label stands on the first choice's row, so that the box fits a
  // laptop's screen at 125 % as well.
  const int choices = textWidth(dialog, font(), L"Number by:") + scaled(8);
  HWND label = add(dialog, L"STATIC", L"Number by:", SS_LEFT, -1);
  MoveWindow(label, margin, top + (button - line) / 2, choices, line, FALSE);
  HWND sheet = add(dialog, L"BUTTON", L"the s&heet's placement, as PowerLogic shows it",
                   BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, kBySheet);
  MoveWindow(sheet, margin + choices, top, width - choices, button, FALSE);
  top += button;
  HWND board = add(dialog, L"BUTTON", kFileFields[0].label, BS_AUTORADIOBUTTON, kByBoard);
  MoveWindow(board, margin + choices, top, width - choices, button, FALSE);
  CheckRadioButton(dialog, kBySheet, kByBoard, texts_.byBoard ? kByBoard : kBySheet);
  top += button + scaled(3);
  // The board's fields line up with the words of its choice.
  const int fields = choices + indent;
  top = addFileField(dialog, kFileFields[0], top, width, fields);
  top = addFileField(dialog, kFileFields[1], top, width, fields);
  top = addBoardDetails(dialog, top, width, fields);
  return addWords(dialog, kBoardHelp, margin + fields, top, width - fields) + gap + scaled(3);
}

void NumberingOptionsBox::build(HWND dialog) {
  takeOwnersDpi();
  SetWindowTextW(dialog, L"Numbering options");
  const int margin = scaled(11), gap = scaled(7), button = buttonHeight(dialog);
  int width = 0;
  for (const Field& field : kFields) width = std::max(width, widthFor(dialog, field.help));
  HWND keep = add(dialog, L"BUTTON", L"&Keep names that are already right",
                  BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, kKeepRight);
  CheckDlgButton(dialog, kKeepRight, texts_.keepRight ? BST_CHECKED : BST_UNCHECKED);
  MoveWindow(keep, margin, margin, width, button, FALSE);
  int y = margin + button + gap;
  y = addField(dialog, kFields[0], texts_.locked, y, width);
  y = addField(dialog, kFields[1], texts_.only, y, width);
  y = addField(dialog, kFields[2], texts_.startFor, y, width);
  y = addOrder(dialog, y, width);
  y = addBoard(dialog, y, width);
  const int ok = buttonWidth(dialog, L"OK"), cancel = buttonWidth(dialog, L"Cancel");
  HWND okButton = add(dialog, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK);
  MoveWindow(okButton, margin + width - ok - gap - cancel, y, ok, button, FALSE);
  HWND cancelButton = add(dialog, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL);
  MoveWindow(cancelButton, margin + width - cancel, y, cancel, button, FALSE);
  place(dialog, width + 2 * margin, y + button + margin);
  SetFocus(keep);
}

}  // namespace

std::optional<renumber::RulesTexts> askNumberingOptions(
    HWND owner, const renumber::RulesTexts& current, const app::MainWindowView::RulesCheck& check) {
  NumberingOptionsBox box(owner, current, check);
  if (box.show() != IDOK) return std::nullopt;
  return box.texts();
}

}  // namespace varnel::win
