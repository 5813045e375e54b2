// StartFrom: one renumbering run. It is worked out on a copy first, so that
// nothing foreseeable fails after the first rename; then the renames are made
// in the real design. Whatever happens, the renames made go through the
// closing work (report, ECO output) and the run state is reset.
#include <optional>

#include "engine/frm_ren_part.h"
#include "engine/run_observer.h"
#include "engine/run_plan.h"
#include "ui/run_options.h"

namespace varnel {

void frmRenPart::StartFrom(const Int16& mode) {
  RunPlan plan;
  try {
    if (!powerLogicApp) throw errors::objectNotSet();
    powerLogicApp->Prepare();
    plan = planRun(mode);
  } catch (...) {
    tyhjenna();
    throw;
  }
  std::optional<Error> failure;
  try {
    applyPlan(plan);
  } catch (const Error& e) {
    failure = e;
  }
  finishRun(failure ? &*failure : nullptr);
}

void frmRenPart::applyPlan(const RunPlan& plan) {
  platform_.progress->setMin(plan.progressMin);
  platform_.progress->setMax(plan.progressMax);
  std::size_t rename = 0;
  int ignored = 0;
  auto applyUntil = [&](std::size_t renamesEnd, int ignoredEnd) {
    for (; rename < renamesEnd; ++rename) {
      const standin::RenameRecord& step = plan.renames[rename];
      currentPart = plan.components[step.position - 1];
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
  applyUntil(plan.renames.size(), static_cast<int>(plan.ignored.size()));
}

void frmRenPart::finishRun(const Error* failure) {
  std::optional<Error> problem;
  if (failure) problem = *failure;
  try {
    if (!ignoredNames.empty()) naytaNimeamattomat();
    if (platform_.options->chkSend()) {
      if (platform_.options->optECO()) ShowFileDialog();
      if (platform_.options->optDirect()) AlsoInPCB();
    }
  } catch (const Error& e) {
    problem = problem ? Error(problem->number(), problem->text() + "\n" + describe(e)) : e;
  }
  if (platform_.observer) platform_.observer->runEnded(*this);
  tyhjenna();
  progressReset();
  if (problem) throw *problem;
}

}  // namespace varnel
