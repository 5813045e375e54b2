// Tying the window to the design open in PowerLogic: start-up, and taking
// the component list again when the user opens another design.
#include "engine/frm_ren_part.h"
#include "app/main_window_view.h"

namespace varnel {

namespace {

using ui::Control;
using ui::MessageIcon;

constexpr const char* kNotRunning = "Are you sure Powerlogic is running ? ";

// The one message that ends the program, for the two errors that say the
// host or its design is missing; other errors stop quietly.
void endOnMissingHost(ui::MainWindowView& view, const Error& e, const char* noDesignText) {
  const char* text = e.number() == errors::kNoDesign             ? noDesignText
                     : e.number() == errors::kCannotCreateObject ? kNotRunning
                                                                 : nullptr;
  if (!text) return;
  view.showMessage(text, "", MessageIcon::critical);
  view.endProgram();
}

}  // namespace

void frmRenPart::takeComponentList() {
  if (powerlogicdoc->Scopes()->Count() > 1)
    partList = powerlogicdoc->Components();
  else
    partList = powerlogicdoc->CurrentScope()->FindObjects(1, "", 0);
  currentPart = partList->Item(1);
}

void frmRenPart::AlwaysOnTop(bool TrueFalse) {
  platform_.view->alwaysOnTop(TrueFalse);
}

void frmRenPart::Form_Load() {
  ui::MainWindowView& view = *platform_.view;
  try {
    AlwaysOnTop(true);
    selectedDone = 0;
    view.setChecked(Control::optStart, false);
    attachHost();
    view.setText(Control::txtStart, "1");
  } catch (const Error& e) {
    endOnMissingHost(view, e, "You must load a project before running Varnel");
  } catch (const std::exception&) {
    // Start-up stops quietly on anything else, as on any other error.
  }
}

void frmRenPart::attachHost() {
  powerLogicApp = platform_.attacher->attach();
  openDocumentSubscription =
      powerLogicApp->onOpenDocument([this] { powerLogicApp_OpenDocument(); });
  powerlogicdoc = powerLogicApp->ActiveDocument();
  takeComponentList();
  platform_.view->setTitle("Varnel " + powerlogicdoc->Name());
}

void frmRenPart::attachAfresh() {
  ui::MainWindowView& view = *platform_.view;
  // The old objects belong to a process that is gone; ending the old
  // subscription fails quietly.
  openDocumentSubscription.reset();
  partList = {};
  currentPart = {};
  powerlogicdoc = {};
  powerLogicApp.reset();
  try {
    attachHost();
  } catch (const Error& e) {
    const std::string text =
        e.number() == errors::kCannotCreateObject
            ? "PowerLogic is not running. Start it and open your design, then press Run again."
        : e.number() == errors::kNoDesign
            ? "PowerLogic has no design loaded. Open your design, then press Run again."
            : "Varnel could not attach to PowerLogic.\n" + userMessage(e);
    view.showMessage(text, "", MessageIcon::exclamation);
    return;
  }
  hostLost_ = false;
  view.showMessage("PowerLogic was started again. Varnel now works on the design " +
                       powerlogicdoc->Name() + "; press Run to renumber it.",
                   "", MessageIcon::information);
}

void frmRenPart::powerLogicApp_OpenDocument() {
  // The event can arrive while a run waits on PowerLogic: take the new
  // design once the run is over, not under its feet.
  if (runInProgress) {
    openDocumentPending = true;
    return;
  }
  reattach();
}

void frmRenPart::reattach() {
  ui::MainWindowView& view = *platform_.view;
  try {
    view.setTitle("Varnel" + powerlogicdoc->Name());
    selectedDone = 0;
    view.setChecked(Control::optStart, false);
    takeComponentList();
    view.setTitle("Varnel " + powerlogicdoc->Name());
  } catch (const Error& e) {
    if (errors::isHostGone(e.number())) hostLost_ = true;
    endOnMissingHost(view, e, "There is no componets in project");
  } catch (const std::exception&) {
  }
}

}  // namespace varnel
