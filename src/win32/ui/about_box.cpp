#include "win32/ui/about_box.h"

#include <string>

#include "win32/base/clipboard.h"
#include "win32/base/text.h"
#include "win32/base/text_metrics.h"
#include "win32/ui/built_dialog.h"

namespace varnel::win {

namespace {

constexpr int kFolderLabel = 100, kFolder = 101, kCopy = 102;

class AboutBox final : public BuiltDialog {
 public:
  AboutBox(HWND owner, const app::AboutContent& about)
      : BuiltDialog(owner, WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME), about_(about) {}

 private:
  void build(HWND dialog) override;
  bool onCommand(HWND dialog, int id) override;

  const app::AboutContent& about_;
};

bool AboutBox::onCommand(HWND dialog, int id) {
  return closeOrCopy(dialog, id, kCopy, widen(about_.journalFolder));
}

void AboutBox::build(HWND dialog) {
  takeOwnersDpi();
  SetWindowTextW(dialog, L"About Varnel");
  const std::wstring text = widen(about_.text);
  const int margin = scaled(11), gap = scaled(7), line = fontHeight(dialog, font());
  const int button = buttonHeight(dialog), copy = buttonWidth(dialog, L"&Copy");
  const int width = widthFor(dialog, text);
  int y = addWords(dialog, text, margin, margin, width) + gap;
  MoveWindow(add(dialog, L"STATIC", L"Journal folder:", SS_LEFT, kFolderLabel), margin, y, width,
             line, FALSE);
  y += line + scaled(3);
  // Read-only and scrolled sideways: never broken across lines.
  MoveWindow(add(dialog, L"EDIT", widen(about_.journalFolder),
                 ES_READONLY | ES_AUTOHSCROLL | WS_TABSTOP, kFolder, WS_EX_CLIENTEDGE),
             margin, y, width - copy - gap, button, FALSE);
  MoveWindow(add(dialog, L"BUTTON", L"&Copy", BS_PUSHBUTTON | WS_TABSTOP, kCopy),
             margin + width - copy, y, copy, button, FALSE);
  y += button + 2 * gap;
  const int ok = buttonWidth(dialog, L"OK");
  HWND okButton = add(dialog, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK);
  MoveWindow(okButton, margin + width - ok, y, ok, button, FALSE);
  place(dialog, width + 2 * margin, y + button + margin);
  SetFocus(okButton);
}

}  // namespace

void showAboutBox(HWND owner, const app::AboutContent& about) {
  AboutBox(owner, about).show();
}

}  // namespace varnel::win
