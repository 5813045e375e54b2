#pragma once
// What the main window does, routed to the objects that do it: following
// PowerLogic's design, the option rules, Run, Preview and Undo, the
// recovery of a cut-off run, the Numbering options, and Stop. The Win32
// window turns its messages into these calls; tests drive them with a fake
// view.
#include <optional>
#include <string>

#include "app/controls.h"
#include "app/cut_off_recovery.h"
#include "app/design_following.h"
#include "app/error_display.h"
#include "app/long_work.h"
#include "app/main_window_view.h"
#include "app/numbering_options_editor.h"
#include "app/option_view.h"
#include "app/power_logic_link.h"
#include "app/preview_flow.h"
#include "app/preview_view.h"
#include "app/renumbering_session.h"
#include "app/run_choices.h"

namespace varnel::app {

class MainWindowPresenter : private DesignFollowing::Owner {
 public:
  // activity is the session's: the presenter begins and ends its work and
  // passes on the user's Stop.
  MainWindowPresenter(MainWindowView& view, PowerLogicLink& link, RenumberingSession& session,
                      PreviewView& preview, JournalLibrary& journals,
                      NumberingOptionsStore& numberingOptions, RunActivity& activity);
  MainWindowPresenter(const MainWindowPresenter&) = delete;
  MainWindowPresenter& operator=(const MainWindowPresenter&) = delete;

  // Window load: keep on top, attach, take the design, title, start number.
  // PowerLogic not running, or no design loaded: a message, then the end.
  void onLoad();
  // An event of PowerLogic's, from the window's message loop: OpenDocument
  // takes the new design; an event of unknown meaning takes it when the open
  // design is another. While the window is busy (start-up, a run, a preview,
  // an undo, their dialogs and messages) it waits until that has returned.
  void onHostEvent(host::HostEvent event);
  // A click on a control, as the window reports it. Option buttons are
  // chosen here; nothing happens while the window is busy.
  void onClick(Control id);

  // The controls that follow a choice already shown in the window.
  void onAllComponentsChosen() { followChoice(view_, Control::allComponents); }
  void onSelectedComponentsChosen() { followChoice(view_, Control::selectedComponents); }
  void onWriteEcoToggled() { followChoice(view_, Control::writeEco); }
  void onRun();
  void onEnd();
  // Esc stops long work while it goes, and otherwise ends Varnel as End does.
  void onEscape();

  // Ctrl+P: the run the options ask for, worked out and shown, renaming nothing.
  void onPreview();
  // Ctrl+Z: the newest run of the open design not taken back, its undo shown.
  void onUndo();
  // The Preview window's Rename: planned again, and made when still the same.
  void onPreviewRename();
  void onPreviewClosed() { previews_.closed(); }
  // A check box of the Preview: unchecked, component is locked for this
  // run; the plan is worked out again at once, on the design as read.
  void onPreviewRowChecked(const std::string& component, bool checked);
  // The Numbering options window; what OK keeps is kept for later sessions
  // and, while a Preview is open, its plan is worked out again.
  void onNumberingOptions();
  void onOpenJournalFolder();
  // About Varnel: the version, the design it works on, the journal folder.
  void onAbout();

  // A run, or a message or dialog of the Run click, is open.
  bool busy() const { return busy_; }

 private:
  template <class Work>
  void whileBusy(Work&& work);
  bool closeCutOffRun() override;
  void endProgram() override { onEnd(); }
  bool ending() const override { return ended_ || work_.endAsked(); }
  bool offerRecovery();
  // The renumbering the choices ask for, or nothing when they ask for none
  // or their start number is refused (and said so).
  std::optional<RunRequest> requestFrom(const RunChoices& choices);
  void previewRun();
  void previewUndo();
  void make(const RunRequest& request);

  MainWindowView& view_;
  PowerLogicLink& link_;
  RenumberingSession& session_;
  JournalLibrary& journals_;
  LongWork work_;
  ErrorDisplay errors_;
  DesignFollowing following_;
  PreviewFlow previews_;
  CutOffRecovery recovery_;
  NumberingOptionsEditor options_;
  bool busy_ = false;
  bool ended_ = false;
  std::optional<host::HostEvent> pendingEvent_;  // came while busy
};

}  // namespace varnel::app
