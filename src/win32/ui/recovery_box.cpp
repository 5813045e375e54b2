#include "win32/ui/recovery_box.h"

#include <algorithm>
#include <string>

#include "win32/base/text.h"
#include "win32/ui/built_dialog.h"

namespace varnel::win {

namespace {

// The buttons' ids: the first choice's, and the two after it.
constexpr int kFirstChoice = 100, kChoices = 3;

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
  if (id < kFirstChoice || id >= kFirstChoice + kChoices) return false;
  EndDialog(dialog, id);
  return true;
}

void RecoveryBox::build(HWND dialog) {
  takeOwnersDpi();
  SetWindowTextW(dialog, widen(question_.title).c_str());
  const std::wstring text = widen(question_.text);
  const int margin = scaled(11), gap = scaled(7), button = buttonHeight(dialog);
  std::wstring captions[kChoices];
  int buttons = 0;
  for (int k = 0; k < kChoices; ++k) {
    captions[k] = widen(question_.choices[k].caption);
    buttons += buttonWidth(dialog, captions[k].c_str()) + gap;
  }
  const int width = std::max(widthFor(dialog, text), buttons - gap);
  const int y = addWords(dialog, text, margin, margin, width) + 2 * gap;
  int x = margin + width - buttons + gap;
  HWND first = nullptr;
  for (int k = 0; k < kChoices; ++k) {
    const bool enabled =
        question_.choices[k].recovery != app::Recovery::finish || question_.canFinish;
    const bool isDefault = enabled && !first;
    HWND b = add(dialog, L"BUTTON", captions[k].c_str(),
                 (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | WS_TABSTOP, kFirstChoice + k);
    EnableWindow(b, enabled);
    if (isDefault) {
      first = b;
      SendMessageW(dialog, DM_SETDEFID, static_cast<WPARAM>(kFirstChoice + k), 0);
    }
    const int w = buttonWidth(dialog, captions[k].c_str());
    MoveWindow(b, x, y, w, button, FALSE);
    x += w + gap;
  }
  place(dialog, width + 2 * margin, y + button + margin);
  SetFocus(first);
}

}  // namespace

std::optional<app::Recovery> askRecovery(HWND owner, const app::RecoveryQuestion& question) {
  const INT_PTR id = RecoveryBox(owner, question).show();
  if (id < kFirstChoice || id >= kFirstChoice + kChoices) return std::nullopt;
  return question.choices[id - kFirstChoice].recovery;
}

}  // namespace varnel::win
