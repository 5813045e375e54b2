// What the main window's controls do.
#include "engine/frm_ren_part.h"
#include "ui/main_window_view.h"
#include "ui/start_check.h"

namespace varnel {

namespace {

using ui::Control;

void enableStartText(ui::MainWindowView& view, Control option) {
  if (view.checked(option)) {
    view.setBackground(Control::txtStart, ui::SystemColour::captionText);
    view.setEnabled(Control::txtStart, true);
  } else {
    view.setEnabled(Control::txtStart, false);
  }
}

}  // namespace

bool frmRenPart::CheckTextBox() {
  return ui::CheckTextBox(platform_.view->text(Control::txtStart));
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
    view.showMessage(describe(e), "", ui::MessageIcon::critical);
  } catch (const std::exception& e) {
    tyhjenna();
    view.showMessage(std::string("error: ") + e.what(), "", ui::MessageIcon::critical);
  }
  runInProgress = false;
  if (std::exchange(openDocumentPending, false)) reattach();
}

}  // namespace varnel
