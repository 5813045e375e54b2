// What the main window's controls do.
#include "engine/frm_ren_part.h"
#include "app/main_window_view.h"
#include "app/start_check.h"

namespace varnel {

namespace {

using ui::Control;

void enableStartText(ui::MainWindowView& view, Control option) {
  const bool enable = view.checked(option);
  // A box that takes typing looks like one: window colours; disabled, grey.
  view.setBackground(Control::txtStart,
                     enable ? ui::SystemColour::window : ui::SystemColour::inactiveBorder);
  view.setEnabled(Control::txtStart, enable);
}

// Marks the window busy for as long as it lives.
class BusyScope {
 public:
  explicit BusyScope(bool& busy) : busy_(busy) { busy_ = true; }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;
  ~BusyScope() { busy_ = false; }

 private:
  bool& busy_;
};

}  // namespace

bool frmRenPart::CheckTextBox() {
  return ui::CheckTextBox(platform_.view->text(Control::txtStart));
}

void frmRenPart::onClick(Control id) {
  // While a run or one of its dialogs or messages is open, a click that
  // still reaches the window (a message posted to it) starts nothing.
  if (busy_) return;
  ui::MainWindowView& view = *platform_.view;
  switch (id) {
    case Control::optStart:
    case Control::optSelected:
    case Control::optAssign:
    case Control::optDuplicate:
    case Control::optECO:
    case Control::optDirect:
      if (view.checked(id)) return;  // already chosen: nothing changes
      view.setChecked(id, true);
      view.setChecked(ui::partnerOf(id), false);
      if (id == Control::optStart) optStart_Click();
      if (id == Control::optSelected) optSelected_Click();
      return;
    case Control::chkSend:
      view.setChecked(id, !view.checked(id));
      chkSend_Click();
      return;
    case Control::cmdRun:
      cmdRun_Click();
      return;
    case Control::cmdEnd:
      cmdEnd_Click();
      return;
    default:
      return;
  }
}

void frmRenPart::optStart_Click() {
  ui::MainWindowView& view = *platform_.view;
  view.setChecked(Control::optAssign, false);
  view.setChecked(Control::optDuplicate, false);
  view.setEnabled(Control::optAssign, false);
  view.setEnabled(Control::optDuplicate, false);
  enableStartText(view, Control::optStart);
}

void frmRenPart::optSelected_Click() {
  ui::MainWindowView& view = *platform_.view;
  view.setEnabled(Control::optAssign, true);
  view.setEnabled(Control::optDuplicate, true);
  view.setChecked(Control::optAssign, true);
  view.setChecked(Control::optDuplicate, false);
  enableStartText(view, Control::optSelected);
}

void frmRenPart::chkSend_Click() {
  ui::MainWindowView& view = *platform_.view;
  const bool enable = !view.enabled(Control::optECO);
  view.setEnabled(Control::optECO, enable);
  view.setEnabled(Control::optDirect, enable);
}

void frmRenPart::cmdRun_Click() {
  ui::MainWindowView& view = *platform_.view;
  BusyScope busy(busy_);
  if (hostLost_) {
    attachAfresh();  // this click only tells the user which design is now open
    return;
  }
  if (view.checked(Control::optStart)) {
    if (CheckTextBox())
      view.showMessage("Illegal Value", "Error Message", ui::MessageIcon::exclamation);
    else
      runFromWindow(0);
  }
  if (view.checked(Control::optSelected)) {
    if (CheckTextBox())
      view.showMessage("Illegal value in Start textbox", "Error Message",
                       ui::MessageIcon::exclamation);
    else
      runFromWindow(1);
  }
}

void frmRenPart::cmdEnd_Click() {
  platform_.view->endProgram();
}

// A run's error is shown with its number and text; the window stays open
// with the run state reset, ready to run again.
void frmRenPart::runFromWindow(Int16 mode) {
  ui::MainWindowView& view = *platform_.view;
  runInProgress = true;
  try {
    StartFrom(mode);
  } catch (const Error& e) {
    if (errors::isHostGone(e.number())) hostLost_ = true;
    view.showMessage(userMessage(e), "", ui::MessageIcon::critical);
  } catch (const std::exception& e) {
    tyhjenna();
    view.showMessage(std::string("error: ") + e.what(), "", ui::MessageIcon::critical);
  }
  runInProgress = false;
  if (std::exchange(openDocumentPending, false)) reattach();
}

}  // namespace varnel
