#include "app/renumbering_session.h"

#include "app/eco_delivery.h"

#include <algorithm>
#include "model/design_snapshot.h"
#include "model/name_table.h"
#include "renumber/plan_renumbering.h"
#include "renumber/plan_undo.h"

namespace varnel::app {

struct RenumberingSession::DesignRead {
  DesignSnapshot design;
  std::vector<host::Ref<host::Component>> parts;  // the real ones, in list order
};

RenumberingSession::RenumberingSession(host::HostAttacher& attacher, ui::ProgressDisplay& progress,
                                       ui::ReportView& report, ui::SaveDialog& saveDialog,
                                       host::PcbConnector& pcb, eco::FileSystem& files,
                                       eco::AnsiEncoder& encoder, JournalStore& journals)
    : attacher_(attacher),
      progress_(progress),
      report_(report),
      saveDialog_(saveDialog),
      pcb_(pcb),
      files_(files),
      encoder_(encoder),
      journals_(journals) {}

void RenumberingSession::attach(std::function<void(host::HostEvent)> onEvent) {
  application_ = attacher_.attach();
  // Best-effort: a host that cannot be subscribed to is still attached; what
  // failed is the subscription, never "no design".
  try {
    eventSubscription_ = application_->subscribe(std::move(onEvent));
    subscribed_ = true;
  } catch (const Error&) {
    subscribed_ = false;
  }
  takeDesign();
}

void RenumberingSession::detach() {
  // The old objects belong to a process that is gone; ending the old
  // subscription fails quietly.
  eventSubscription_.reset();
  subscribed_ = false;
  firstComponent_ = {};
  components_ = {};
  document_ = {};
  application_.reset();
}

host::Ref<host::Document> RenumberingSession::activeDocument() {
  if (!application_) throw errors::objectNotSet();
  auto document = application_->ActiveDocument();
  if (document.empty()) throw Error(errors::kNoDesign, "PowerLogic has no design open.");
  return document;
}

void RenumberingSession::takeDesign() {
  takeDocument();
  takeComponentList();
}

void RenumberingSession::takeDocument() {
  // Afresh: a host may give each open design a document object of its own
  // and let the old one go, or keep it alive for a design that is closed.
  document_ = activeDocument();
  heldDesignName_ = document_->Name();
}

// Meant: FindObjects here, where a run asks the scope for its Components;
// the two have always differed.
void RenumberingSession::takeComponentList() {
  if (document_->Scopes()->Count() > 1)
    components_ = document_->Components();
  else
    components_ = document_->CurrentScope()->FindObjects(1, "", 0);
  firstComponent_ = components_->Item(1);
}

bool RenumberingSession::designChanged() {
  return activeDocument()->Name() != heldDesignName_;
}

// Every run, preview and undo starts here: Prepare, then the design open now.
void RenumberingSession::prepareRun() {
  if (!application_) throw errors::objectNotSet();
  application_->Prepare();
  document_ = activeDocument();
}

std::string RenumberingSession::designName() {
  return document_->Name();
}

std::string RenumberingSession::firstComponentName() {
  return firstComponent_->Name();
}

host::Ref<host::ComponentList> RenumberingSession::componentListFor(std::int32_t scopeCount) {
  if (scopeCount > 1) return document_->Components();
  return document_->CurrentScope()->Components();
}

RunOutcome RenumberingSession::run(const RunSettings& settings) {
  return execute(
      settings, [&](const DesignSnapshot& design) { return planRenumbering(design, settings); },
      settingsText(settings));
}

RunOutcome RenumberingSession::undo(const Journal& journal, const std::string& journalPath,
                                    const RunSettings& settings) {
  RunSettings undoSettings = settings;
  undoSettings.scope = Scope::allComponents;  // designators only: no selection is read
  RunOutcome outcome = execute(
      undoSettings, [&](const DesignSnapshot& design) { return planUndo(design, journal.renames); },
      "--undo " + journalPath);
  if (outcome.applied && !outcome.error) {
    try {
      journals_.appendTo(journalPath, journalUndoneBy(outcome.journal));
    } catch (const Error& e) {
      outcome.error = Error(e.number(), "The undo is done, but " + journalPath +
                                            " could not be marked undone: " + e.text());
    }
  }
  return outcome;
}

PlannedRun RenumberingSession::plan(const RunSettings& settings) {
  PlannedRun planned;
  try {
    prepareRun();
    planned.design = readDesign(settings).design;
    planned.plan = planRenumbering(planned.design, settings);
    refuseUnfitNames(planned.design, planned.plan, settings);
    if (settings.eco == EcoOutput::forceReadInPcb && !planned.plan.renames.empty()) {
      checkEcoTarget(files_.tempFolder() + forcedReadFileName());
      // The plan is worth seeing while PowerPCB is not there yet.
      try {
        openLayout();
      } catch (const Error& e) {
        planned.layoutMissing = e;
      }
    }
  } catch (const Error& e) {
    planned.error = e;
  }
  return planned;
}

PlannedRun RenumberingSession::planTakingBack(const Journal& journal, const RunSettings& settings) {
  PlannedRun planned;
  RunSettings undoSettings = settings;
  undoSettings.scope = Scope::allComponents;
  try {
    prepareRun();
    planned.design = readDesign(undoSettings).design;
    planned.plan = planUndo(planned.design, journal.renames);
    refuseUnfitNames(planned.design, planned.plan, undoSettings);
  } catch (const Error& e) {
    planned.error = e;
  }
  return planned;
}

RunOutcome RenumberingSession::preview(const RunSettings& settings) {
  const PlannedRun planned = plan(settings);
  RunOutcome outcome;
  outcome.error =
      planned.layoutMissing ? layoutMissingRefusal(*planned.layoutMissing) : planned.error;
  if (outcome.error) return outcome;
  for (const Rename& rename : planned.plan.renames)
    outcome.log.record(rename.position, rename.from, rename.to);
  outcome.ignored = planned.plan.ignored;
  return outcome;
}

RunOutcome RenumberingSession::execute(const RunSettings& settings, const Planner& planner,
                                       const std::string& description) {
  RunOutcome outcome;
  RenumberPlan plan;
  DesignRead read;
  std::optional<Delivery> delivery;
  std::unique_ptr<JournalSink> journal;
  try {
    prepareRun();
    read = readDesign(settings);
    plan = planner(read.design);
    refuseUnfitNames(read.design, plan, settings);
    // A run with nothing to rename asks for no file and writes none.
    delivery =
        plan.renames.empty() ? std::optional<Delivery>(Delivery{}) : prepareDelivery(settings);
    if (delivery) journal = openJournal(plan, description);
  } catch (const Error& e) {
    outcome.error = e;
    return outcome;
  }
  if (!delivery) {
    outcome.cancelled = true;
    return outcome;
  }
  outcome.eco = delivery->output;
  outcome.ecoFile = delivery->path;
  outcome.noneSelected = settings.scope == Scope::selectedComponents &&
                         std::none_of(read.design.parts.begin(), read.design.parts.end(),
                                      [](const Part& part) { return part.selected; });
  if (journal) outcome.journal = journal->path();
  std::optional<Error> failure;
  outcome.applied = true;
  try {
    applyPlan(plan, read.parts, outcome, journal.get());
  } catch (const Error& e) {
    failure = e;
  }
  finish(outcome, failure, *delivery, plan.renames.size(), journal.get());
  return outcome;
}

// Created before the first rename, for a run that renames anything.
std::unique_ptr<JournalSink> RenumberingSession::openJournal(const RenumberPlan& plan,
                                                             const std::string& description) {
  if (plan.renames.empty() || !journals_.enabled()) return nullptr;
  const std::string design = designName();
  try {
    JournalStore::Opened opened = journals_.create(design);
    if (opened.sink)
      opened.sink->append(journalHeader(design, opened.started, description, plan.renames.size()));
    return std::move(opened.sink);
  } catch (const Error& e) {
    throw errors::refusal(e.number(), "The run's journal could not be written: " + e.text() + ".");
  }
}

RenumberingSession::DesignRead RenumberingSession::readDesign(const RunSettings& settings) {
  DesignRead read;
  read.design.scopes = document_->Scopes()->Count();
  auto list = componentListFor(read.design.scopes);
  const std::int32_t count = list->Count();
  if (count > NameTable::kCapacity)
    throw errors::refusal(
        errors::kSubscriptOutOfRange,
        "The design has " + std::to_string(count) + " components; Varnel renumbers at most 10001.");
  int selected = 0;
  auto inOrder = list->readInOrder(count);
  for (std::int32_t i = 1; i <= count; ++i) {
    auto component = inOrder(i);
    Part part{component->Name()};
    if (part.designator.empty())
      throw errors::refusal(
          errors::kObjectNotSet,
          "The component at position " + std::to_string(i) + " has no reference designator.");
    // Only a selected-components run needs the selection and the placements.
    if (settings.scope == Scope::selectedComponents && (part.selected = component->Selected())) {
      auto placement = component->Placements()->Item(1);
      part.x = placement->X(0);
      part.y = placement->Y(0);
      ++selected;
    }
    read.design.parts.push_back(std::move(part));
    read.parts.push_back(std::move(component));
  }
  if (selected > NameTable::kCapacity)
    throw errors::refusal(
        errors::kSubscriptOutOfRange,
        std::to_string(selected) + " components are selected; Varnel renumbers at most 10001.");
  return read;
}

void RenumberingSession::applyPlan(const RenumberPlan& plan,
                                   const std::vector<host::Ref<host::Component>>& parts,
                                   RunOutcome& outcome, JournalSink* journal) {
  const ProgressRange range =
      plan.progress.value_or(ProgressRange{progress_.min(), progress_.max()});
  progress_.setMin(range.minimum);
  progress_.setMax(range.maximum);
  std::size_t rename = 0, ignored = 0;
  auto applyUntil = [&](std::size_t renamesEnd, std::size_t ignoredEnd) {
    for (; rename < renamesEnd; ++rename) {
      const Rename& planned = plan.renames[rename];
      const std::size_t logged = outcome.log.size();
      try {
        renameRecorded(*parts[planned.position - 1], planned, outcome.log);
      } catch (...) {
        // A rename whose name could not be read back was made all the same.
        if (journal && outcome.log.size() > logged)
          journal->append(journalRename(outcome.log.entries().back()));
        throw;
      }
      if (journal) journal->append(journalRename(outcome.log.entries().back()));
      if (outcome.log.entries().back().to != planned.to)
        throw Error(errors::kHostRenamedOtherwise,
                    "PowerLogic named " + planned.from + " '" + outcome.log.entries().back().to +
                        "' instead of '" + planned.to + "'; the run stopped there.");
    }
    for (; ignored < ignoredEnd; ++ignored) outcome.ignored.push_back(plan.ignored[ignored]);
  };
  for (const PlannedStep& step : plan.steps) {
    applyUntil(step.renamesEnd, step.ignoredEnd);
    if (progress_.value() != progress_.max()) progress_.setValue(progress_.value() + 1);
  }
  applyUntil(plan.renames.size(), plan.ignored.size());
}

// The log holds exactly what the design underwent: a refused rename is not
// logged; one whose name cannot be read back is logged with the name asked for.
void RenumberingSession::renameRecorded(host::Component& component, const Rename& rename,
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

void RenumberingSession::finish(RunOutcome& outcome, const std::optional<Error>& failure,
                                const Delivery& delivery, std::size_t planned,
                                JournalSink* journal) {
  std::optional<Error> deliveryFailure;
  bool delivered = false;
  try {
    if (journal) journal->append(failure ? journalFailed(*failure) : journalCompleted());
  } catch (const Error& e) {
    deliveryFailure = e;
  }
  try {
    if (!outcome.ignored.empty()) showIgnored(outcome.ignored);
    delivered = deliver(delivery, outcome.log);
  } catch (const Error& e) {
    if (!deliveryFailure) deliveryFailure = e;
  }
  if (failure) {
    std::string text = failure->text();
    if (deliveryFailure) text += "\n" + describe(*deliveryFailure);
    outcome.error = Error(failure->number(), text)
                        .withLead(stoppedRunSummary(outcome.log, planned, delivery,
                                                    delivered && !deliveryFailure) +
                                  (outcome.journal.empty() || outcome.log.empty()
                                       ? ""
                                       : "\nThe journal " + outcome.journal + " records them."));
  } else {
    outcome.error = deliveryFailure;
  }
  progress_.setValue(0);
}

}  // namespace varnel::app
