// StartFrom: one renumbering run. It is worked out on a copy first, so that
// nothing foreseeable fails after the first rename, and the ECO file's place
// is settled (the save dialog answered, PowerPCB reached); then the renames
// are made in the real design. Whatever happens, the renames made go through
// the closing work (report, ECO output) and the run state is reset.
#include <optional>

#include "app/run_options.h"
#include "eco/eco_delivery.h"
#include "engine/frm_ren_part.h"
#include "engine/run_observer.h"
#include "engine/run_plan.h"

namespace varnel {

void frmRenPart::StartFrom(const Int16& mode) {
  RunPlan plan;
  std::optional<eco::EcoDelivery> delivery;
  try {
    if (!powerLogicApp) throw errors::objectNotSet();
    powerLogicApp->Prepare();
    plan = planRun(mode);
    delivery = prepareDelivery();
  } catch (...) {
    tyhjenna();
    throw;
  }
  if (!delivery) {  // the user cancelled the save dialog: no run
    tyhjenna();
    return;
  }
  std::optional<Error> failure;
  try {
    applyPlan(plan);
  } catch (const Error& e) {
    failure = e;
  }
  finishRun(failure ? &*failure : nullptr, *delivery, plan.plan.renames.size());
}

void frmRenPart::applyPlan(const RunPlan& run) {
  const RenumberPlan& plan = run.plan;
  ui::ProgressDisplay& bar = *platform_.progress;
  const ProgressRange range = plan.progress.value_or(ProgressRange{bar.min(), bar.max()});
  bar.setMin(range.minimum);
  bar.setMax(range.maximum);
  std::size_t rename = 0;
  std::size_t ignored = 0;
  auto applyUntil = [&](std::size_t renamesEnd, std::size_t ignoredEnd) {
    for (; rename < renamesEnd; ++rename) {
      const Rename& step = plan.renames[rename];
      currentPart = run.components[step.position - 1];
      renameRecorded(*currentPart, step.from, step.to);
      if (newNames.back() != step.to)
        throw Error(kHostRenamedOtherwise, "PowerLogic named " + step.from + " '" +
                                               newNames.back() + "' instead of '" + step.to +
                                               "'; the run stopped there.");
    }
    for (; ignored < ignoredEnd; ++ignored) {
      ignoredNames.set(ignoredCount, plan.ignored[ignored]);
      ignoredCount = add16(ignoredCount, 1);
    }
  };
  for (const PlannedStep& step : plan.steps) {
    applyUntil(step.renamesEnd, step.ignoredEnd);
    progressStep();
  }
  applyUntil(plan.renames.size(), plan.ignored.size());
}

void frmRenPart::finishRun(const Error* failure, const eco::EcoDelivery& delivery,
                           std::size_t planned) {
  std::optional<Error> deliveryFailure;
  bool inFile = false;
  try {
    if (!ignoredNames.empty()) naytaNimeamattomat();
    inFile = deliver(delivery);
  } catch (const Error& e) {
    deliveryFailure = e;
  }
  std::optional<Error> problem;
  if (failure) {
    std::string text = failure->text();
    if (deliveryFailure) text += "\n" + describe(*deliveryFailure);
    problem = Error(failure->number(), text)
                  .withLead(stoppedRunSummary(planned, delivery, inFile && !deliveryFailure));
  } else {
    problem = deliveryFailure;
  }
  if (platform_.observer) platform_.observer->runEnded(*this);
  tyhjenna();
  progressReset();
  if (problem) throw *problem;
}

std::string frmRenPart::stoppedRunSummary(std::size_t planned, const eco::EcoDelivery& delivery,
                                          bool delivered) {
  const std::size_t made = std::min(oldNames.size(), newNames.size());
  if (made == 0) return "The run stopped before its first rename; nothing was renamed.";
  std::string summary = "The run stopped after " + std::to_string(made) + " of the " +
                        std::to_string(planned) + " planned renames.";
  if (delivered && delivery.target == eco::EcoDelivery::Target::chosenFile)
    return summary + " They are in the ECO file " + delivery.path + ".";
  if (delivered) return summary + " PowerPCB has read them from the ECO file.";
  // The note of a failed delivery already gave the list.
  if (delivery.target != eco::EcoDelivery::Target::none) return summary;
  std::string note = unsavedRenamesNote();
  if (!note.empty() && note.back() == '\n') note.pop_back();
  return summary + note;
}

}  // namespace varnel
