#include "win32/ui/long_message_box.h"

#include <algorithm>

#include "win32/base/clipboard.h"
#include "win32/base/text.h"
#include "win32/base/text_metrics.h"
#include "win32/ui/built_dialog.h"

namespace varnel::win {

namespace {

// A message of more lines than this scrolls in its field.
constexpr int kMostLinesInABox = 15;
constexpr int kLinesShown = 18;
// The field takes a message box's static id, so that whatever reads a
// message box's text reads this one's too.
constexpr int kText = 0xFFFF, kCopy = 100;

// The edit control breaks lines at CR LF only.
std::wstring withCrLf(const std::string& text) {
  std::wstring out;
  for (wchar_t c : widen(text)) {
    if (c == L'\n' && (out.empty() || out.back() != L'\r')) out += L'\r';
    out += c;
  }
  return out;
}

class LongMessageBox final : public BuiltDialog {
 public:
  LongMessageBox(HWND owner, const std::string& title, const std::string& text)
      : BuiltDialog(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME),
        title_(widen(title)),
        text_(withCrLf(text)) {}

 private:
  void build(HWND dialog) override;
  bool onCommand(HWND dialog, int id) override;

  std::wstring title_, text_;
};

bool LongMessageBox::onCommand(HWND dialog, int id) {
  return closeOrCopy(dialog, id, kCopy, text_);
}

void LongMessageBox::build(HWND dialog) {
  takeOwnersDpi();
  SetWindowTextW(dialog, title_.c_str());
  const int margin = scaled(11), gap = scaled(7), line = fontHeight(dialog, font());
  const int button = buttonHeight(dialog);
  const int width = widthFor(dialog, text_) + GetSystemMetrics(SM_CXVSCROLL) + scaled(8);
  const int height = line * kLinesShown + scaled(8);
  HWND field = add(dialog, L"EDIT", text_,
                   ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP, kText,
                   WS_EX_CLIENTEDGE);
  MoveWindow(field, margin, margin, width, height, FALSE);
  const int y = margin + height + gap;
  const int close = buttonWidth(dialog, L"Close"), copy = buttonWidth(dialog, L"&Copy");
  HWND closeButton = add(dialog, L"BUTTON", L"Close", BS_DEFPUSHBUTTON | WS_TABSTOP, IDCANCEL);
  MoveWindow(add(dialog, L"BUTTON", L"&Copy", BS_PUSHBUTTON | WS_TABSTOP, kCopy),
             margin + width - close - gap - copy, y, copy, button, FALSE);
  MoveWindow(closeButton, margin + width - close, y, close, button, FALSE);
  place(dialog, width + 2 * margin, y + button + margin);
  SetFocus(closeButton);
}

}  // namespace

bool needsScrolling(const std::string& text) {
  return std::count(text.begin(), text.end(), '\n') >= kMostLinesInABox;
}

void showLongMessage(HWND owner, const std::string& title, const std::string& text) {
  LongMessageBox(owner, title, text).show();
}

}  // namespace varnel::win
