#include "app/main_window_presenter.h"

#include <utility>

#include "app/run_description.h"
#include "app/run_status.h"
#include "app/run_texts.h"
#include "model/designator.h"

namespace varnel::app {

namespace {

using app::Control;
using app::MessageIcon;

constexpr const char* kNotRunning = "Are you sure Powerlogic is running ? ";

void enableStartText(app::MainWindowView& view, Control option) {
  const bool enable = view.checked(option);
  // A box that takes typing looks like one: window colours; disabled, grey.
  view.setBackground(Control::startNumber,
                     enable ? app::SystemColour::window : app::SystemColour::inactiveBorder);
  view.setEnabled(Control::startNumber, enable);
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

bool isLegalStartText(const std::string& text) {
  const auto number = designator::parseStartNumber(text);
  return number && *number != 0;
}

MainWindowPresenter::MainWindowPresenter(app::MainWindowView& view, RenumberingSession& session,
                                         app::PreviewView& preview, JournalLibrary& journals,
                                         NumberingOptionsStore& numberingOptions,
                                         RunActivity& activity)
    : view_(view),
      session_(session),
      preview_(preview),
      journals_(journals),
      numberingOptions_(numberingOptions),
      activity_(activity),
      rules_(rules::parseRules(numberingOptions.load())) {}

template <class Work>
auto MainWindowPresenter::working(Work&& work) {
  struct Scope {
    MainWindowPresenter& p;
    explicit Scope(MainWindowPresenter& presenter) : p(presenter) {
      p.working_ = true;
      p.activity_.begin();
      p.view_.setText(Control::run, kStopCaption);
    }
    ~Scope() {
      p.view_.setText(Control::run, layoutOf(Control::run)->caption);
      p.activity_.end();
      p.working_ = false;
    }
  } scope(*this);
  return work();
}

// End during long work: stopping it is the user's choice, and Varnel ends
// once it has stopped.
void MainWindowPresenter::askToStop(bool thenEnd) {
  if (thenEnd && !view_.askYesNo(kStopToEndQuestion)) return;
  endWhenDone_ = thenEnd;
  activity_.requestStop();
  view_.setStatus(kStoppingText);
}

// The one message that ends the program, for the two errors that say the
// host or its design is missing; other errors stop quietly.
void MainWindowPresenter::endOnMissingHost(const Error& e, const char* noDesignText) {
  const char* text = e.number() == errors::kNoDesign             ? noDesignText
                     : e.number() == errors::kCannotCreateObject ? kNotRunning
                                                                 : nullptr;
  if (!text) return;
  view_.showMessage(text, "", MessageIcon::critical);
  ended_ = true;
  view_.endProgram();
}

// Busy work: what PowerLogic's events ask for waits until it has returned.
template <class Work>
void MainWindowPresenter::whileBusy(Work&& work) {
  {
    BusyScope busy(busy_);
    work();
  }
  if (pendingEvent_ && !ended_) handleHostEvent(*std::exchange(pendingEvent_, std::nullopt));
}

void MainWindowPresenter::onLoad() {
  whileBusy([&] {
    try {
      view_.alwaysOnTop(true);
      view_.setChecked(Control::allComponents, false);
      session_.attach([this](host::HostEvent event) { view_.deliverLater(event); });
      view_.setTitle("Varnel " + session_.designName());
      view_.setText(Control::startNumber, "1");
    } catch (const Error& e) {
      endOnMissingHost(e, "You must load a project before running Varnel");
      return;
    } catch (const std::exception&) {
      // Start-up stops quietly on anything else, as on any other error.
      return;
    }
    // Looking at a run that was cut off can take long: the window shows first.
    view_.showWindow();
    offerRecovery();
  });
}

void MainWindowPresenter::onHostEvent(host::HostEvent event) {
  if (ended_) return;
  // Not under the feet of a run, a preview or an undo: once it is over.
  if (busy_) {
    if (!pendingEvent_ || event == host::HostEvent::designOpened) pendingEvent_ = event;
    return;
  }
  handleHostEvent(event);
}

void MainWindowPresenter::handleHostEvent(host::HostEvent event) {
  if (event == host::HostEvent::unknown) {
    // The host did not say what its event means: follow the open design
    // when it is another than the one held.
    try {
      if (!session_.designChanged()) return;
    } catch (const Error& e) {
      if (errors::isHostGone(e.number())) hostLost_ = true;
      return;
    }
  }
  takeNewDesign();
}

// Without PowerLogic's events the design open now is compared before each
// run, preview and undo: another one is taken, as OpenDocument would take
// it, and nothing else is done.
bool MainWindowPresenter::tookAnotherDesign() {
  if (session_.subscribed()) return false;
  try {
    if (!session_.designChanged()) return false;
  } catch (const Error&) {
    return false;  // the run itself says what is wrong
  }
  takeNewDesign();
  if (ended_) return true;
  std::string name;
  try {
    name = session_.designName();
  } catch (const Error&) {
  }
  view_.showMessage("Another design is open in PowerLogic. Varnel now works on the design " + name +
                        "; nothing was renamed.",
                    "", MessageIcon::information);
  return true;
}

void MainWindowPresenter::takeNewDesign() {
  try {
    // The document afresh: the one held may be the closed design's.
    session_.takeDocument();
    // Meant: the title without a blank while the list is taken, as it always was.
    view_.setTitle("Varnel" + session_.designName());
    view_.setChecked(Control::allComponents, false);
    session_.takeComponentList();
    view_.setTitle("Varnel " + session_.designName());
  } catch (const Error& e) {
    if (errors::isHostGone(e.number())) hostLost_ = true;
    endOnMissingHost(e, "There is no componets in project");  // "componets" is meant
    return;
  } catch (const std::exception&) {
    return;
  }
  offerRecovery();
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
  try {
    // The name taken with the design: looking costs PowerLogic no call.
    const auto path = journals_.newestCutOff(session_.heldDesignName());
    if (!path) return false;
    Journal journal = parseJournal(journals_.read(*path));
    const std::size_t made = working([&] { return session_.renamesMadeBy(journal).size(); });
    const RecoveryQuestion question = recoveryQuestion(journal, made);
    // A box that could not be shown comes back at the next start.
    if (const auto choice = view_.askRecovery(question))
      make(recovering(std::move(journal), *path, *choice));
  } catch (const Error& e) {
    showError(e);
  }
  return true;
}

// True when the click that attached may go on with what it asked: the
// design is the one Varnel worked on before, and no cut-off run of it had
// to be closed first. Another design is named and nothing else is done, so
// that the user sees which design the next click renames.
bool MainWindowPresenter::attachAfresh() {
  const std::string before = session_.heldDesignName();
  session_.detach();
  try {
    session_.attach([this](host::HostEvent event) { view_.deliverLater(event); });
    view_.setTitle("Varnel " + session_.designName());
  } catch (const Error& e) {
    const std::string text =
        e.number() == errors::kCannotCreateObject
            ? "PowerLogic is not running. Start it and open your design, then press Run again."
        : e.number() == errors::kNoDesign
            ? "PowerLogic has no design loaded. Open your design, then press Run again."
            : "Varnel could not attach to PowerLogic.\n" + userMessage(e);
    view_.showMessage(text, "", MessageIcon::exclamation);
    return false;
  }
  hostLost_ = false;
  if (session_.heldDesignName() == before) return !offerRecovery();
  view_.showMessage("PowerLogic was started again. Varnel now works on the design " +
                        session_.designName() + "; press Run to renumber it.",
                    "", MessageIcon::information);
  offerRecovery();
  return false;
}

void MainWindowPresenter::onClick(Control id) {
  // While long work goes, Run's place is Stop, and End asks whether to stop.
  if (working_ && (id == Control::run || id == Control::end)) return askToStop(id == Control::end);
  // While a run or one of its dialogs or messages is open, a click that
  // still reaches the window (a message posted to it) starts nothing.
  if (busy_) return;
  switch (id) {
    case Control::allComponents:
    case Control::selectedComponents:
    case Control::assignNextFree:
    case Control::renameDuplicates:
    case Control::writeOnly:
    case Control::forceReadInPcb:
      if (view_.checked(id)) return;  // already chosen: nothing changes
      view_.setChecked(id, true);
      view_.setChecked(app::partnerOf(id), false);
      if (id == Control::allComponents) onAllComponentsChosen();
      if (id == Control::selectedComponents) onSelectedComponentsChosen();
      return;
    case Control::writeEco:
      view_.setChecked(id, !view_.checked(id));
      onWriteEcoToggled();
      return;
    case Control::run:
      onRun();
      return;
    case Control::end:
      onEnd();
      return;
    default:
      return;
  }
}

void MainWindowPresenter::onAllComponentsChosen() {
  view_.setChecked(Control::assignNextFree, false);
  view_.setChecked(Control::renameDuplicates, false);
  view_.setEnabled(Control::assignNextFree, false);
  view_.setEnabled(Control::renameDuplicates, false);
  enableStartText(view_, Control::allComponents);
}

void MainWindowPresenter::onSelectedComponentsChosen() {
  view_.setEnabled(Control::assignNextFree, true);
  view_.setEnabled(Control::renameDuplicates, true);
  view_.setChecked(Control::assignNextFree, true);
  view_.setChecked(Control::renameDuplicates, false);
  enableStartText(view_, Control::selectedComponents);
}

void MainWindowPresenter::onWriteEcoToggled() {
  const bool enable = !view_.enabled(Control::writeOnly);
  view_.setEnabled(Control::writeOnly, enable);
  view_.setEnabled(Control::forceReadInPcb, enable);
}

void MainWindowPresenter::onRun() {
  whileBusy([&] {
    if (hostLost_ && !attachAfresh()) return;
    if (!chosenScope()) {
      view_.setStatus(kChooseAMode);
      return;
    }
    for (Scope scope : {Scope::allComponents, Scope::selectedComponents})
      if (view_.checked(scope == Scope::allComponents ? Control::allComponents
                                                      : Control::selectedComponents) &&
          !refusesStartText(scope)) {
        if (tookAnotherDesign()) return;
        runWith(scope);
      }
  });
}

void MainWindowPresenter::onEnd() {
  ended_ = true;
  view_.endProgram();
}

void MainWindowPresenter::onEscape() {
  if (working_) return askToStop(false);
  onClick(Control::end);
}

bool MainWindowPresenter::refusesStartText(Scope scope) {
  const std::string typed = view_.text(Control::startNumber);
  if (isLegalStartText(typed)) return false;
  view_.showMessage(illegalStartText(scope == Scope::allComponents, typed), "Error Message",
                    MessageIcon::exclamation);
  return true;
}

std::optional<Scope> MainWindowPresenter::chosenScope() {
  if (view_.checked(Control::allComponents)) return Scope::allComponents;
  if (view_.checked(Control::selectedComponents)) return Scope::selectedComponents;
  return std::nullopt;
}

EcoOutput MainWindowPresenter::ecoFromView() {
  if (!view_.checked(Control::writeEco)) return EcoOutput::none;
  return view_.checked(Control::writeOnly)        ? EcoOutput::writeOnly
         : view_.checked(Control::forceReadInPcb) ? EcoOutput::forceReadInPcb
                                                  : EcoOutput::none;
}

void MainWindowPresenter::onPreview() {
  if (busy_) return;
  whileBusy([&] { previewRun(); });
}

void MainWindowPresenter::previewRun() {
  if (hostLost_ && !attachAfresh()) return;
  const auto scope = chosenScope();
  if (!scope) return;
  if (refusesStartText(*scope) || tookAnotherDesign()) return;
  const RunRequest request = requestFromView(*scope);
  const PlannedRun planned = working([&] { return session_.plan(request); });
  if (planned.error) return showPlanError(*planned.error);
  previewed_ = Previewed{request, planned.plan.renames, planned};
  showPlanned(planned, request);
}

void MainWindowPresenter::onPreviewRowChecked(const std::string& component, bool checked) {
  if (busy_ || !previewed_ || !previewed_->request.renumbering()) return;
  RunRequest request = previewed_->request;
  auto& locked = request.renumbering()->settings.rules.lockedForRun;
  if (checked)
    locked.erase(component);
  else
    locked.insert(component);
  previewAgain(std::move(request));
}

// The plan shown worked out again for request; a refusal is shown and the
// preview stays as it was.
void MainWindowPresenter::previewAgain(RunRequest request) {
  const PlannedRun planned = session_.planAgain(previewed_->planned, request);
  if (planned.error) {
    showPlanned(previewed_->planned, previewed_->request);
    return showError(*planned.error);
  }
  previewed_ = Previewed{std::move(request), planned.plan.renames, planned};
  showPlanned(planned, previewed_->request);
}

void MainWindowPresenter::onNumberingOptions() {
  if (busy_) return;
  whileBusy([&] {
    const auto chosen = view_.askNumberingOptions(
        rules::textsOf(rules_), [](const rules::RulesTexts& texts) -> std::optional<std::string> {
          try {
            rules::parseRules(texts);
            return std::nullopt;
          } catch (const Error& e) {
            return e.text();
          }
        });
    if (!chosen) return;
    rules_ = rules::parseRules(*chosen);
    numberingOptions_.save(rules::textsOf(rules_));
    if (!previewed_ || !previewed_->request.renumbering()) return;
    RunRequest request = previewed_->request;
    NumberingRules& rules = request.renumbering()->settings.rules;
    const auto forRun = rules.lockedForRun;
    rules = rules_;
    rules.lockedForRun = forRun;
    previewAgain(std::move(request));
  });
}

void MainWindowPresenter::onUndo() {
  if (busy_) return;
  whileBusy([&] { previewUndo(); });
}

void MainWindowPresenter::previewUndo() {
  if (hostLost_ && !attachAfresh()) return;
  if (tookAnotherDesign()) return;
  try {
    const std::string design = session_.designName();
    const auto path = journals_.newestNotUndone(design);
    if (!path) {
      view_.showMessage("No run of " + design + " is left to undo.", "", MessageIcon::information);
      return;
    }
    const RunRequest request =
        takingBack(parseJournal(journals_.read(*path)), *path, ecoFromView());
    const PlannedRun planned = working([&] { return session_.plan(request); });
    if (planned.error) return showPlanError(*planned.error);
    previewed_ = Previewed{request, planned.plan.renames, planned};
    showPlanned(planned, request);
  } catch (const Error& e) {
    showError(e);
  }
}

void MainWindowPresenter::showPlanned(const PlannedRun& planned, const RunRequest& request) {
  const Renumbering* renumbering = request.renumbering();
  Preview preview =
      renumbering ? previewOf(planned.design, planned.plan, "Preview", &renumbering->settings.rules)
                  : previewOf(planned.design, planned.plan, "Undo");
  if (planned.layoutMissing) preview.note = layoutMissingNote(*planned.layoutMissing);
  if (const JournalRun* run = request.journalRun())
    preview.rules = "Takes back: " + runInWords(run->journal) + ".";
  preview_.showPreview(preview);
}

void MainWindowPresenter::onPreviewRename() {
  if (busy_ || !previewed_) return;
  whileBusy([&] { renamePreviewed(); });
}

void MainWindowPresenter::renamePreviewed() {
  const Previewed previewed = *previewed_;
  const PlannedRun planned = working([&] { return session_.plan(previewed.request); });
  if (planned.error) return showPlanError(*planned.error);
  if (planned.plan.renames != previewed.renames) {
    // The user must see what will happen before it happens.
    previewed_->renames = planned.plan.renames;
    previewed_->planned = planned;
    showPlanned(planned, previewed.request);
    view_.showMessage(
        "The design changed since the preview was made. This is the plan for it "
        "now; press Rename again to make it.",
        "", MessageIcon::information);
    return;
  }
  previewed_.reset();
  preview_.closePreview();
  make(previewed.request);
}

void MainWindowPresenter::make(const RunRequest& request) {
  const RunOutcome outcome = working([&] { return session_.run(request); });
  view_.setStatus(runStatus(outcome));
  if (endWhenDone_) return onEnd();
  // A stop is the user's own doing, so no message says it. A run it cut off
  // is offered to be closed at once, as one that Varnel's end cut off would
  // be at the next start.
  if (outcome.error && outcome.error->number() == errors::kStopped) {
    if (outcome.stoppedCutOff) offerRecovery();
    return;
  }
  if (outcome.error) showError(*outcome.error);
}

// The one way a run's, preview's or undo's error is shown. One that says
// PowerLogic's process is gone says what to do, and the title says so
// until Varnel attaches again.
void MainWindowPresenter::showError(const Error& error) {
  std::string text = userMessage(error);
  if (errors::isHostGone(error.number())) {
    hostLost_ = true;
    text += "\nPowerLogic is no longer running. Start it again, open your design, and press Run.";
    view_.setTitle("Varnel (PowerLogic not running)");
  }
  view_.showMessage(text, "", MessageIcon::critical);
}

// A plan the user stopped says so in the status bar; any other error is
// shown as every error is.
void MainWindowPresenter::showPlanError(const Error& error) {
  if (error.number() != errors::kStopped) return showError(error);
  view_.setStatus("Stopped; nothing was renamed.");
  if (endWhenDone_) onEnd();
}

void MainWindowPresenter::onPreviewClosed() {
  previewed_.reset();
}

void MainWindowPresenter::onAbout() {
  std::string design;
  try {
    design = session_.designName();
  } catch (const Error&) {
    design = "(PowerLogic cannot be reached)";
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

RunRequest MainWindowPresenter::requestFromView(Scope scope) {
  RunSettings settings;
  settings.scope = scope;
  settings.conflictRule = view_.checked(Control::renameDuplicates) ? ConflictRule::renameDuplicates
                                                                   : ConflictRule::assignNextFree;
  settings.start = *designator::parseStartNumber(view_.text(Control::startNumber));
  settings.rules = rules_;
  return renumbering(settings, ecoFromView());
}

// A run's error is shown with its number and text; the window stays open,
// ready to run again.
void MainWindowPresenter::runWith(Scope scope) {
  make(requestFromView(scope));
}

}  // namespace varnel::app
