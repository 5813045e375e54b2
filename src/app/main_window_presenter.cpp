#include "app/main_window_presenter.h"

#include <utility>

#include "app/option_view.h"
#include "app/run_choices.h"
#include "app/run_status.h"
#include "app/run_texts.h"
#include "model/designator.h"

namespace varnel::app {

namespace {

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

MainWindowPresenter::MainWindowPresenter(MainWindowView& view, PowerLogicLink& link,
                                         RenumberingSession& session, PreviewView& preview,
                                         JournalLibrary& journals,
                                         NumberingOptionsStore& numberingOptions,
                                         RunActivity& activity)
    : view_(view),
      link_(link),
      session_(session),
      journals_(journals),
      work_(view, activity),
      errors_(view, link),
      following_(view, link, *this),
      previews_(view, preview, session, work_, errors_),
      recovery_(view, journals, session, work_, errors_),
      options_(view, numberingOptions) {}

// What PowerLogic's events ask for waits until busy work has returned, and
// an End chosen during the work ends Varnel once the work is over.
template <class Work>
void MainWindowPresenter::whileBusy(Work&& work) {
  {
    BusyScope busy(busy_);
    work();
  }
  if (work_.endAsked() && !ended_) return onEnd();
  if (pendingEvent_ && !ended_) following_.follow(*std::exchange(pendingEvent_, std::nullopt));
}

void MainWindowPresenter::onLoad() {
  whileBusy([&] {
    view_.alwaysOnTop(true);
    view_.setChecked(Control::allComponents, false);
    if (!following_.start()) return;
    view_.setText(Control::startNumber, "1");
    // Looking at a run that was cut off can take long, so the window shows first.
    view_.showWindow();
    offerRecovery();
  });
}

void MainWindowPresenter::onHostEvent(host::HostEvent event) {
  if (ended_) return;
  // An event that comes during a run, a preview or an undo is followed once
  // that is over, so that the design does not change under its feet.
  if (busy_) {
    if (!pendingEvent_ || event == host::HostEvent::designOpened) pendingEvent_ = event;
    return;
  }
  following_.follow(event);
}

// A run of the design just taken that Varnel's end cut off is closed
// before anything else is done with it.
bool MainWindowPresenter::offerRecovery() {
  if (busy_) return closeCutOffRun();
  bool offered = false;
  whileBusy([&] { offered = closeCutOffRun(); });
  return offered;
}

bool MainWindowPresenter::closeCutOffRun() {
  // The name taken with the design costs PowerLogic no call.
  const CutOffRecovery::Asked asked = recovery_.ask(link_.heldDesignName());
  if (asked.closing) make(*asked.closing);
  return asked.found;
}

void MainWindowPresenter::onClick(Control id) {
  // While long work goes, Run's place is Stop, and End asks whether to stop.
  if (work_.going() && (id == Control::run || id == Control::end))
    return work_.askToStop(id == Control::end);
  // While a run or one of its dialogs or messages is open, a click that
  // still reaches the window (a message posted to it) starts nothing.
  if (busy_) return;
  if (id == Control::run) return onRun();
  if (id == Control::end) return onEnd();
  clickOption(view_, id);
}

void MainWindowPresenter::onRun() {
  whileBusy([&] {
    if (!following_.attachedIfLost()) return;
    const RunChoices choices = choicesOf(view_);
    if (!choices.scope) return view_.setStatus(kChooseAMode);
    if (const auto request = requestFrom(choices); request && !following_.tookAnotherDesign())
      make(*request);
  });
}

void MainWindowPresenter::onEnd() {
  ended_ = true;
  view_.endProgram();
}

void MainWindowPresenter::onEscape() {
  if (work_.going()) return work_.askToStop(false);
  onClick(Control::end);
}

std::optional<RunRequest> MainWindowPresenter::requestFrom(const RunChoices& choices) {
  if (!choices.scope) return std::nullopt;
  if (!model::designator::isLegalStartText(choices.startText)) {
    view_.showMessage(
        illegalStartText(*choices.scope == renumber::RunScope::allComponents, choices.startText),
        "Error Message", MessageIcon::exclamation);
    return std::nullopt;
  }
  return requestFor(choices, options_.rules());
}

void MainWindowPresenter::onPreview() {
  if (busy_) return;
  whileBusy([&] { previewRun(); });
}

void MainWindowPresenter::previewRun() {
  if (!following_.attachedIfLost()) return;
  if (const auto request = requestFrom(choicesOf(view_));
      request && !following_.tookAnotherDesign())
    previews_.show(*request);
}

void MainWindowPresenter::onPreviewRowChecked(const std::string& component, bool checked) {
  if (busy_) return;
  previews_.rowChecked(component, checked);
}

void MainWindowPresenter::onNumberingOptions() {
  if (busy_) return;
  whileBusy([&] {
    if (options_.edit()) previews_.rulesChanged(options_.rules());
  });
}

void MainWindowPresenter::onUndo() {
  if (busy_) return;
  whileBusy([&] { previewUndo(); });
}

void MainWindowPresenter::previewUndo() {
  if (!following_.attachedIfLost() || following_.tookAnotherDesign()) return;
  try {
    const std::string design = link_.designName();
    const auto path = journals_.newestNotUndone(design);
    if (!path)
      return view_.showMessage("No run of " + design + " is left to undo.", "",
                               MessageIcon::information);
    previews_.show(takingBack(parseJournal(journals_.read(*path)), *path, ecoOf(view_)));
  } catch (const base::Error& e) {
    errors_.show(e);
  }
}

void MainWindowPresenter::onPreviewRename() {
  if (busy_ || !previews_.showing()) return;
  whileBusy([&] {
    if (const auto request = previews_.toMake()) make(*request);
  });
}

// A run's error is shown with its number and text; the window stays open,
// ready to run again. A stop is the user's own doing, so no message says it,
// and a run it cut off is offered to be closed at once, as one that
// Varnel's end cut off would be at the next start.
void MainWindowPresenter::make(const RunRequest& request) {
  const RunOutcome outcome = work_.run([&] { return session_.run(request); });
  view_.setStatus(runStatus(outcome));
  if (work_.endAsked()) return;
  if (outcome.error && outcome.error->number() == base::errors::kStopped) {
    if (outcome.stoppedCutOff) offerRecovery();
    return;
  }
  if (outcome.error) errors_.show(*outcome.error);
}

void MainWindowPresenter::onAbout() {
  std::string design;
  try {
    design = link_.designName();
  } catch (const base::Error&) {
    design = kCannotBeReached;
  }
  view_.showAbout({"Varnel " VARNEL_VERSION
                   "\nRenumbers the reference designators of the design open in PowerLogic."
                   "\n\nDesign: " +
                       design,
                   journals_.folder()});
}

void MainWindowPresenter::onOpenJournalFolder() {
  view_.openFolder(journals_.folder());
}

}  // namespace varnel::app
