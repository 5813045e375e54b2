#pragma once
// What the main window does: start-up and following PowerLogic's design,
// the rules that enable and choose the options, and Run, whose settings it
// reads from the window once and whose errors it shows. The Win32 window
// turns its messages into these calls; tests drive them with a fake view.
#include <optional>
#include <string>

#include "app/controls.h"
#include "app/main_window_view.h"
#include "app/numbering_options_store.h"
#include "app/preview_view.h"
#include "app/renumbering_session.h"
#include "renumber/run_settings.h"

namespace varnel::app {

// True when text is a start number the Run button accepts: a whole number
// from -32768 to 32767 other than 0 (blanks around it and a sign allowed).
bool isLegalStartText(const std::string& text);

class MainWindowPresenter {
 public:
  // activity is the session's: the presenter begins and ends its work and
  // passes on the user's Stop.
  MainWindowPresenter(app::MainWindowView& view, RenumberingSession& session,
                      app::PreviewView& preview, JournalLibrary& journals,
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
  void onClick(app::Control id);

  void onAllComponentsChosen();
  void onSelectedComponentsChosen();
  void onWriteEcoToggled();
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
  void onPreviewClosed();
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
  // Long work such as reading and renaming runs here, and Run's place says
  // Stop while it goes.
  template <class Work>
  auto working(Work&& work);
  void askToStop(bool thenEnd);
  void handleHostEvent(host::HostEvent event);
  void showError(const Error& error);
  void showPlanError(const Error& error);
  bool tookAnotherDesign();
  void runWith(Scope scope);
  RunRequest requestFromView(Scope scope);
  void takeNewDesign();
  // Both return true when they offered to close a cut-off run.
  bool offerRecovery();
  bool closeCutOffRun();
  bool attachAfresh();
  void endOnMissingHost(const Error& e, const char* noDesignText);
  std::optional<Scope> chosenScope();
  // Shows the start-number message of scope's mode when the text is illegal.
  bool refusesStartText(Scope scope);
  EcoOutput ecoFromView();
  // The plan shown now: what was asked, and the renames it came to.
  struct Previewed {
    RunRequest request;
    std::vector<Rename> renames;
    PlannedRun planned;  // as shown
  };
  void previewRun();
  void previewUndo();
  void renamePreviewed();
  void showPlanned(const PlannedRun& planned, const RunRequest& request);
  void make(const RunRequest& request);
  void previewAgain(RunRequest request);

  app::MainWindowView& view_;
  RenumberingSession& session_;
  app::PreviewView& preview_;
  JournalLibrary& journals_;
  NumberingOptionsStore& numberingOptions_;
  RunActivity& activity_;
  NumberingRules rules_;  // the Numbering options as kept
  std::optional<Previewed> previewed_;
  bool busy_ = false;
  bool ended_ = false;
  // True while long work goes; Run's place then holds Stop.
  bool working_ = false;
  // True when End was pressed during long work and the user chose to stop.
  bool endWhenDone_ = false;
  std::optional<host::HostEvent> pendingEvent_;  // came while busy
  bool hostLost_ = false;  // PowerLogic's process went away: attach afresh on Run
};

}  // namespace varnel::app
