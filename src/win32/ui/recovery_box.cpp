#include "win32/ui/recovery_box.h"

#include <algorithm>
#include <string>

#include "win32/base/text.h"
#include "win32/ui/built_dialog.h"

namespace varnel::win {

namespace {

constexpr int kFinish = 100, kTakeBack = 101, kLeave = 102;

struct Choice {
  int id;
  const wchar_t* caption;
  app::Recovery recovery;
};
constexpr Choice kChoices[] = {{kFinish, L"&Finish the run", app::Recovery::finish},
                               {kTakeBack, L"&Take it back", app::Recovery::takeBack},
                               {kLeave, L"&Leave it as it is", app::Recovery::leave}};

class RecoveryBox final : public BuiltDialog {
 public:
  RecoveryBox(HWND owner, const app::RecoveryQuestion& question)
      : BuiltDialog(owner, WS_POPUP | WS_CAPTION | DS_MODALFRAME), question_(question) {}

 private:
  void build(HWND dialog) override;
  bool onCommand(HWND dialog, int id) override;

  const app::RecoveryQuestion& question_;
};

bool RecoveryBox::onCommand(HWND dialog, int id) {
  if (id == IDCANCEL) return true;  // a choice must be made
  if (id < kFinish || id > kLeave) return false;
  EndDialog(dialog, id);
  return true;
}

void RecoveryBox::build(HWND dialog) {
  takeOwnersDpi();
  SetWindowTextW(dialog, L"Varnel: a run was cut off");
  const std::wstring text = widen(question_.text);
  const int margin = scaled(11), gap = scaled(7), button = buttonHeight(dialog);
  int buttons = 0;
  for (const Choice& choice : kChoices) buttons += buttonWidth(dialog, choice.caption) + gap;
  const int width = std::max(widthFor(dialog, text), buttons - gap);
  const int y = addWords(dialog, text, margin, margin, width) + 2 * gap;
  int x = margin + width - buttons + gap;
  HWND first = nullptr;
  for (const Choice& choice : kChoices) {
    const bool enabled = choice.id != kFinish || question_.canFinish;
    const bool isDefault = enabled && !first;
    HWND b = add(dialog, L"BUTTON", choice.caption,
                 (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, choice.id);
    EnableWindow(b, enabled);
    if (isDefault) {
      first = b;
      SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(choice.id), 0);
    }
    const int w = buttonWidth(dialog, choice.caption);
    MoveWindow(b, x, y, w, button, FALSE);
    x += w + gap;
  }
  place(dialog, width + 2 * margin, y + button + margin);
  SetFocus(first);
}

}  // namespace

std::optional<app::Recovery> askRecovery(HWND owner, const app::RecoveryQuestion& question) {
  const INT_PTR id = RecoveryBox(owner, question).show();
  for (const Choice& choice : kChoices)
    if (choice.id == id) return choice.recovery;
  return std::nullopt;
}

}  // namespace varnel::win
