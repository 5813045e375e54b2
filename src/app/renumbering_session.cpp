#include "app/renumbering_session.h"

#include <algorithm>

#include "app/board_files.h"
#include "app/ignored_report.h"
#include "app/renames_made.h"
#include "app/run_checks.h"
#include "app/run_description.h"
#include "model/design_snapshot.h"
#include "model/name_table.h"
#include "renumber/plan_finish.h"
#include "renumber/plan_renumbering.h"
#include "renumber/plan_undo.h"

namespace varnel::app {

struct RenumberingSession::DesignRead {
  model::DesignSnapshot design;
  std::vector<host::Ref<host::Component>> parts;  // the real ones, in list order
};

// The design as read, and the plan worked out on it.
struct RenumberingSession::ReadPlan {
  DesignRead read;
  renumber::RenumberPlan plan;
  std::vector<model::Rename> made;  // a cut-off run finished or left: the renames it made
  std::optional<BoardRead> board;   // a run by board position: its placement files
};

RenumberingSession::RenumberingSession(PowerLogicLink& link, app::ProgressDisplay& progress,
                                       app::ReportView& report, EcoDelivery& delivery,
                                       JournalStore& journals, RunActivity& activity)
    : link_(link),
      progress_(progress),
      report_(report),
      delivery_(delivery),
      journals_(journals),
      activity_(activity) {}

// Between two calls to PowerLogic, never inside one: the user may have
// asked to stop.
void RenumberingSession::checkForStop() {
  if (activity_.stopAsked()) throw base::Error(base::errors::kStopped, "Stopped.");
}

host::Ref<host::ComponentList> RenumberingSession::componentListFor(std::int32_t scopeCount) {
  host::Document& document = link_.document();
  if (scopeCount > 1) return document.Components();
  return document.CurrentScope()->Components();
}

namespace {

bool foundNoSelection(const RunRequest& request, const model::DesignSnapshot& design) {
  return request.renumbering() &&
         request.renumbering()->settings.scope == renumber::RunScope::selectedComponents &&
         std::none_of(design.parts.begin(), design.parts.end(),
                      [](const model::Part& part) { return part.selected; });
}

// The refusal of a run whose journal cannot be written: no rename is made
// that could not be taken back.
base::Error journalNotWritten(const base::Error& e) {
  return base::errors::refusal(e.number(),
                               "The run's journal could not be written: " + e.text() + ".");
}

base::Error partialPlanRefusal(const std::string& journalPath) {
  return base::errors::refusal(
      base::errors::kNotAJournal,
      "The journal " + journalPath +
          " does not hold that run's whole plan: the run can be taken back or "
          "left as it is, not finished.");
}

// The renames made are the plan's first ones.
bool beginsWith(const std::vector<model::Rename>& plan, const std::vector<model::Rename>& made) {
  return made.size() <= plan.size() && std::equal(made.begin(), made.end(), plan.begin());
}

// The request's plan on design. Finishing or leaving a cut-off run plans
// what is left of it (nothing, to leave it) once the design shows the
// renames it made, which go to made.
renumber::RenumberPlan planOf(const RunRequest& request, const model::DesignSnapshot& design,
                              std::vector<model::Rename>& made,
                              const std::optional<model::BoardPlacement>& board) {
  if (const Renumbering* renumbering = request.renumbering())
    return board ? planRenumbering(design, renumbering->settings, *board)
                 : planRenumbering(design, renumbering->settings);
  const JournalRun& run = *request.journalRun();
  std::vector<model::Rename> done = renamesMade(run.journal, design);
  if (request.takesBack()) return renumber::planUndo(design, done);
  const bool finishing = request.recovery()->choice == Recovery::finish;
  if (finishing && (!run.journal.holdsWholePlan() || !beginsWith(run.journal.plan, done)))
    throw partialPlanRefusal(run.path);
  renumber::RenumberPlan plan =
      renumber::planFinish(design, finishing ? run.journal.plan : done, done.size());
  made = std::move(done);
  return plan;
}

void noteBoardLists(RunOutcome& outcome, const renumber::RenumberPlan& plan,
                    const model::DesignSnapshot& design) {
  for (const std::int32_t position : plan.notOnBoard)
    outcome.notOnBoard.push_back(design.parts[position - 1].designator);
  outcome.onlyOnBoard = plan.onlyOnBoard;
}

// The records that end a journal: how the run ended, written before its
// ECO file is delivered, and how a cut-off run was closed, written once it is.
JournalEnd endRecords(const RunRequest& request, const std::optional<base::Error>& failure) {
  const Recovering* closing = request.recovery();
  const bool leaving = closing && closing->choice == Recovery::leave;
  JournalEnd end;
  end.ended = leaving ? "" : failure ? journalFailed(*failure) : journalCompleted();
  if (closing) end.closed = journalRecovered(recoveryWord(closing->choice));
  return end;
}

}  // namespace

std::optional<model::BoardPlacement> RenumberingSession::boardOf(const ReadPlan& planned) {
  if (!planned.board) return std::nullopt;
  return planned.board->placement;
}

// Every run, preview, undo and recovery is read and planned here. One that
// works on a journal reads designators only, since it needs no selection.
RenumberingSession::ReadPlan RenumberingSession::readAndPlan(const RunRequest& request) {
  link_.documentForRun();
  ReadPlan planned;
  const Renumbering* renumbering = request.renumbering();
  planned.read =
      readDesign(renumbering ? renumbering->settings.scope : renumber::RunScope::allComponents);
  if (renumbering && renumbering->settings.rules.board)
    planned.board = readBoard(delivery_.files(), *renumbering->settings.rules.board);
  planned.plan = planOf(request, planned.read.design, planned.made, boardOf(planned));
  refuseUnfitNames(planned.read.design, planned.plan, request.eco, delivery_.encoder());
  return planned;
}

RunOutcome RenumberingSession::run(const RunRequest& request) {
  const Recovering* closing = request.recovery();
  if (closing) {
    if (auto unfit = unfitRecovery(closing->run.journal, closing->run.path, closing->choice)) {
      RunOutcome refused;
      refused.error = std::move(unfit);
      return refused;
    }
    if (closing->closesDelivery()) return deliverRecorded(*closing, request);
  }
  RunOutcome outcome = execute(request);
  outcome.takenBack = request.takesBack();
  if (request.takesBack())
    markTakenBack(request.journalRun()->path,
                  journalUndoneBy(outcome.journal) + (closing ? journalRecovered("take-back") : ""),
                  outcome);
  // A cut-off undo, once finished, has taken its run back.
  else if (closing && closing->choice == Recovery::finish && closing->run.journal.isUndo())
    markTakenBack(closing->run.journal.undoOf, journalUndoneBy(closing->run.path), outcome);
  return outcome;
}

void RenumberingSession::markTakenBack(const std::string& journalPath, const std::string& marks,
                                       RunOutcome& outcome) {
  if ((!outcome.applied && !outcome.deliveryOnly) || outcome.error) return;
  try {
    journals_.appendTo(journalPath, marks);
  } catch (const base::Error& e) {
    outcome.error = base::Error(e.number(), "The undo is done, but " + journalPath +
                                                " could not be marked undone: " + e.text());
  }
}

PlannedRun RenumberingSession::plan(const RunRequest& request) {
  PlannedRun planned;
  try {
    ReadPlan read = readAndPlan(request);
    planned.design = std::move(read.read.design);
    planned.plan = std::move(read.plan);
    planned.board = boardOf(read);
    // The plan is worth seeing while PowerPCB is not there yet.
    if (!planned.plan.renames.empty())
      planned.layoutMissing = delivery_.rehearse(request.eco, link_.document());
  } catch (const base::Error& e) {
    planned.error = e;
  }
  return planned;
}

PlannedRun RenumberingSession::planAgain(const PlannedRun& shown, const RunRequest& request) {
  PlannedRun planned = shown;
  planned.error.reset();
  try {
    std::vector<model::Rename> made;
    planned.plan = planOf(request, shown.design, made, shown.board);
    refuseUnfitNames(shown.design, planned.plan, request.eco, delivery_.encoder());
  } catch (const base::Error& e) {
    planned.error = e;
  }
  return planned;
}

std::vector<model::Rename> RenumberingSession::renamesMadeBy(const Journal& journal) {
  activity_.phase(kLookingAtCutOffText);
  link_.documentForRun();
  return renamesMade(journal, readDesign(renumber::RunScope::allComponents).design);
}

RunOutcome RenumberingSession::preview(const RunRequest& request) {
  const PlannedRun planned = plan(request);
  RunOutcome outcome;
  outcome.error =
      planned.layoutMissing ? layoutMissingRefusal(*planned.layoutMissing) : planned.error;
  if (outcome.error) return outcome;
  for (const model::Rename& rename : planned.plan.renames)
    outcome.log.record(rename.position, rename.from, rename.to);
  outcome.ignored = planned.plan.ignored;
  outcome.unnamable = planned.plan.unnamable;
  noteBoardLists(outcome, planned.plan, planned.design);
  return outcome;
}

RunOutcome RenumberingSession::execute(const RunRequest& request) {
  RunOutcome outcome;
  ReadPlan planned;
  std::optional<EcoTarget> target;
  std::unique_ptr<JournalSink> journal;
  try {
    planned = readAndPlan(request);
    target = targetFor(planned, request);
    if (target) journal = openJournal(planned, request, *target);
  } catch (const base::Error& e) {
    outcome.error = e;
    return outcome;
  }
  if (!target) {
    outcome.cancelled = true;
    return outcome;
  }
  beginOutcome(outcome, request, planned, *target, journal.get());
  std::optional<base::Error> failure;
  outcome.applied = true;
  try {
    applyPlan(planned.plan, planned.read.parts, outcome, journal.get());
  } catch (const base::Error& e) {
    failure = e;
  }
  const std::size_t made = outcome.log.size() - planned.made.size();
  if (failure && failure->number() == base::errors::kStopped && (made == 0 || journal)) {
    endStopped(outcome, *failure,
               {made, planned.plan.renames.size(), request.recovery() != nullptr}, journal.get());
    return outcome;
  }
  finish(outcome, failure, *target, planned.plan.renames.size(), journal.get(),
         endRecords(request, failure));
  return outcome;
}

// The outcome of a run about to make its renames: where its ECO file goes,
// its journal, and the components it leaves unnamed.
void RenumberingSession::beginOutcome(RunOutcome& outcome, const RunRequest& request,
                                      const ReadPlan& planned, const EcoTarget& target,
                                      const JournalSink* journal) {
  outcome.eco = target.output;
  outcome.ecoFile = target.path;
  outcome.noneSelected = foundNoSelection(request, planned.read.design);
  outcome.unnamable = planned.plan.unnamable;
  noteBoardLists(outcome, planned.plan, planned.read.design);
  if (journal) outcome.journal = journal->path();
  // The ECO file of a cut-off run finished or left holds the renames it made.
  for (const model::Rename& rename : planned.made)
    outcome.log.record(rename.position, rename.from, rename.to);
}

// A run with nothing to rename (nor any made to report) asks for no file
// and writes none.
std::optional<EcoTarget> RenumberingSession::targetFor(const ReadPlan& planned,
                                                       const RunRequest& request) {
  if (planned.plan.renames.empty() && planned.made.empty()) return EcoTarget{};
  return delivery_.prepare(request.eco, link_.document(), request.ecoFile);
}

// Created before the first rename, for a run that renames anything.
// The whole plan is on the disk before PowerLogic is asked for anything.
std::unique_ptr<JournalSink> RenumberingSession::openJournal(const ReadPlan& planned,
                                                             const RunRequest& request,
                                                             const EcoTarget& target) {
  if (request.recovery() && !request.takesBack())
    return continueJournal(request.recovery()->run, planned.made);
  const renumber::RenumberPlan& plan = planned.plan;
  if (plan.renames.empty() || !journals_.enabled()) return nullptr;
  const std::string design = link_.designName();
  try {
    JournalStore::Opened opened = journals_.create(design);
    if (!opened.sink) return nullptr;
    const std::string settings =
        requestText(request) + (planned.board ? planned.board->record : "");
    opened.sink->append(journalHead({design, opened.started, settings,
                                     request.takesBack() ? request.journalRun()->path : "",
                                     target.output, target.path, plan.renames}));
    opened.sink->writeThrough();
    return std::move(opened.sink);
  } catch (const base::Error& e) {
    throw journalNotWritten(e);
  }
}

// A cut-off run finished or left goes on in its own journal, which first
// gets the marks of the renames the design shows made and the journal lacks.
std::unique_ptr<JournalSink> RenumberingSession::continueJournal(
    const JournalRun& run, const std::vector<model::Rename>& made) {
  try {
    std::unique_ptr<JournalSink> sink = journals_.reopen(run.path);
    if (!sink) return nullptr;
    std::string marks;
    for (std::size_t k = run.journal.renames.size(); k < made.size(); ++k)
      marks += journalRename(made[k]);
    sink->append(marks);
    sink->writeThrough();
    return sink;
  } catch (const base::Error& e) {
    throw journalNotWritten(e);
  }
}

RenumberingSession::DesignRead RenumberingSession::readDesign(renumber::RunScope scope) {
  DesignRead read;
  read.design.scopes = link_.document().Scopes()->Count();
  auto list = componentListFor(read.design.scopes);
  const std::int32_t count = list->Count();
  activity_.reading(0, count);
  auto inOrder = list->readInOrder(count);
  for (std::int32_t i = 1; i <= count; ++i) {
    checkForStop();
    auto component = inOrder(i);
    model::Part part{component->Name()};
    // Only a selected-components run needs the selection and the placements.
    if (scope == renumber::RunScope::selectedComponents &&
        (part.selected = component->Selected())) {
      auto placement = component->Placements()->Item(1);
      part.x = placement->X(0);
      part.y = placement->Y(0);
    }
    read.design.parts.push_back(std::move(part));
    read.parts.push_back(std::move(component));
    activity_.reading(i, count);
  }
  return read;
}

// Makes one planned rename and journals it; a host that gave the component
// another name than the planned one stops the run there.
void RenumberingSession::applyRename(host::Component& component, const model::Rename& planned,
                                     eco::ChangeLog& log, JournalSink* journal) {
  const std::size_t logged = log.size();
  try {
    renameRecorded(component, planned, log);
  } catch (...) {
    // A rename whose name could not be read back was made all the same.
    if (journal && log.size() > logged) journal->append(journalRename(log.entries().back()));
    throw;
  }
  if (journal) journal->append(journalRename(log.entries().back()));
  if (log.entries().back().to != planned.to)
    throw base::Error(base::errors::kHostRenamedOtherwise,
                      "PowerLogic named " + planned.from + " '" + log.entries().back().to +
                          "' instead of '" + planned.to + "'; the run stopped there.");
}

void RenumberingSession::applyPlan(const renumber::RenumberPlan& plan,
                                   const std::vector<host::Ref<host::Component>>& parts,
                                   RunOutcome& outcome, JournalSink* journal) {
  const renumber::ProgressRange range =
      plan.progress.value_or(renumber::ProgressRange{progress_.min(), progress_.max()});
  progress_.setMin(range.minimum);
  progress_.setMax(range.maximum);
  std::size_t rename = 0, ignored = 0;
  auto applyUntil = [&](std::size_t renamesEnd, std::size_t ignoredEnd) {
    for (; rename < renamesEnd; ++rename) {
      checkForStop();
      activity_.renaming(rename, plan.renames.size());
      const model::Rename& planned = plan.renames[rename];
      applyRename(*parts[planned.position - 1], planned, outcome.log, journal);
    }
    for (; ignored < ignoredEnd; ++ignored) outcome.ignored.push_back(plan.ignored[ignored]);
  };
  for (const renumber::PlannedStep& step : plan.steps) {
    applyUntil(step.renamesEnd, step.ignoredEnd);
    if (progress_.value() != progress_.max()) progress_.setValue(progress_.value() + 1);
  }
  applyUntil(plan.renames.size(), plan.ignored.size());
}

// The log holds exactly what the design underwent: a refused rename is not
// logged; one whose name cannot be read back is logged with the name asked for.
void RenumberingSession::renameRecorded(host::Component& component, const model::Rename& rename,
                                        eco::ChangeLog& log) {
  component.setName(rename.to);
  std::string reported;
  try {
    reported = component.Name();
  } catch (...) {
    log.record(rename.position, rename.from, rename.to);
    throw;
  }
  log.record(rename.position, rename.from, reported);
}

// While the report window stays open, later reports append below the earlier ones.
void RenumberingSession::reportIgnored(const std::vector<std::string>& names,
                                       const std::vector<renumber::Unnamable>& unnamable) {
  report_.show(
      ignoredReport(report_.isOpen() ? std::optional<std::string>(report_.text()) : std::nullopt,
                    names, unnamable, timeOfDayNow()));
}

namespace {

// Appends lines to the journal, through to the disk; a journal that cannot
// be written keeps its first error in failure, and the run goes on.
void writeThrough(JournalSink* journal, const std::string& lines,
                  std::optional<base::Error>& failure) {
  if (!journal || lines.empty()) return;
  try {
    journal->append(lines);
    journal->writeThrough();
  } catch (const base::Error& e) {
    if (!failure) failure = e;
  }
}

}  // namespace

// The ECO file of log delivered to target, the journal marked as it goes;
// true once it reached its place. A journal closed only once its file is
// delivered tells a Varnel ended during the delivery from a finished run.
bool RenumberingSession::deliverMarked(const EcoTarget& target, const eco::ChangeLog& log,
                                       JournalSink* journal, std::optional<base::Error>& failure) {
  const DeliveryMarks marks{[&] {
                              writeThrough(journal, journalDelivering(), failure);
                              activity_.phase(kPcbReadingText);
                            },
                            [&] { writeThrough(journal, journalDelivered(), failure); }};
  try {
    return delivery_.deliver(target, log, marks);
  } catch (const base::Error& e) {
    if (!failure) failure = e;
    return false;
  }
}

void RenumberingSession::finish(RunOutcome& outcome, const std::optional<base::Error>& failure,
                                const EcoTarget& target, std::size_t planned, JournalSink* journal,
                                const JournalEnd& end) {
  std::optional<base::Error> deliveryFailure;
  writeThrough(journal, end.ended, deliveryFailure);
  try {
    if (!outcome.ignored.empty() || !outcome.unnamable.empty())
      reportIgnored(outcome.ignored, outcome.unnamable);
  } catch (const base::Error& e) {
    if (!deliveryFailure) deliveryFailure = e;
  }
  const bool delivered = deliverMarked(target, outcome.log, journal, deliveryFailure);
  if (delivered || target.output == EcoOutput::none)
    writeThrough(journal, end.closed, deliveryFailure);
  if (failure) {
    std::string text = failure->text();
    if (deliveryFailure) text += "\n" + base::describe(*deliveryFailure);
    outcome.error = base::Error(failure->number(), text)
                        .withLead(delivery_.stoppedRunSummary(outcome.log, planned, target,
                                                              delivered && !deliveryFailure) +
                                  (outcome.journal.empty() || outcome.log.empty()
                                       ? ""
                                       : "\nThe journal " + outcome.journal + " records them."));
  } else {
    outcome.error = deliveryFailure;
  }
  progress_.setValue(0);
}

// A run the user stopped. One stopped before its first rename renamed
// nothing, and its journal is closed so. One stopped after it leaves its
// journal cut off, as Varnel's end would leave it, so that the run is
// finished, taken back or left at once, and no ECO file is written for a
// part of it. A cut-off run that a recovery was closing stays cut off when
// that recovery is stopped too. (A run that keeps no journal goes on to
// finish as a failed run does.)
void RenumberingSession::endStopped(RunOutcome& outcome, const base::Error& stop, StoppedAt at,
                                    JournalSink* journal) {
  std::optional<base::Error> journalFailure;
  if (at.made == 0 && !at.recovering) {
    writeThrough(journal, journalFailed(stop), journalFailure);
    outcome.error = base::Error(base::errors::kStopped,
                                "Stopped before the first rename; nothing was renamed.");
  } else if (at.made == 0) {
    outcome.error = base::Error(base::errors::kStopped,
                                "Stopped before the first rename; the run is still cut "
                                "off.");
  } else {
    outcome.stoppedCutOff = true;
    outcome.error = base::Error(base::errors::kStopped,
                                "Stopped after " + std::to_string(at.made) + " of the " +
                                    std::to_string(at.planned) + " planned renames.");
  }
  if (journalFailure) outcome.error = journalFailure;
  progress_.setValue(0);
}

// A run whose renames were all made and whose ECO file never reached the
// layout: the file is made from the journal's renames and sent, written or
// left as the user chose, asking PowerLogic nothing.
RunOutcome RenumberingSession::deliverRecorded(const Recovering& closing,
                                               const RunRequest& request) {
  RunOutcome outcome;
  outcome.deliveryOnly = true;
  const Journal& journal = closing.run.journal;
  for (const model::Rename& rename : journal.renames)
    outcome.log.record(rename.position, rename.from, rename.to);
  try {
    if (closing.choice == Recovery::leave)
      journals_.appendTo(closing.run.path,
                         journalUndelivered() + journalRecovered(recoveryWord(Recovery::leave)));
    else
      deliverAgain(closing, request, outcome);
  } catch (const base::Error& e) {
    outcome.error = e;
  }
  // A whole undo ended while its file was delivered had not marked its run undone.
  if (journal.isUndo() && journal.end == Journal::End::completed && !outcome.cancelled)
    markTakenBack(journal.undoOf, journalUndoneBy(closing.run.path), outcome);
  return outcome;
}

// Send or Write: the file asked for, or nothing when the user cancelled
// the save dialog; the journal closed once the file reached its place.
void RenumberingSession::deliverAgain(const Recovering& closing, const RunRequest& request,
                                      RunOutcome& outcome) {
  const auto target = delivery_.prepare(request.eco, closing.run.journal.design, request.ecoFile);
  if (!target) {
    outcome.cancelled = true;
    return;
  }
  outcome.eco = target->output;
  outcome.ecoFile = target->path;
  std::unique_ptr<JournalSink> sink = journals_.reopen(closing.run.path);
  std::optional<base::Error> failure;
  if (deliverMarked(*target, outcome.log, sink.get(), failure))
    writeThrough(sink.get(), journalRecovered(recoveryWord(closing.choice)), failure);
  outcome.error = failure;
}

}  // namespace varnel::app
