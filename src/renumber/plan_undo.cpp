#include "renumber/plan_undo.h"

#include <map>

#include "base/error.h"
#include "model/working_design.h"
#include "renumber/design_changes.h"

namespace varnel {

namespace {

// Each renamed position with the name the run left it with, where the design differs.
std::vector<std::string> changedSince(const WorkingDesign& design,
                                      const std::vector<Rename>& renames) {
  std::map<std::int32_t, std::string> left;
  for (const Rename& rename : renames) left[rename.position] = rename.to;
  return differencesFrom(design, left);
}

// Only a component's last rename in the undo gives it its name back; one
// before it goes to the temporary number the run had moved it through.
void markTemporaryMoves(RenumberPlan& plan) {
  std::map<std::int32_t, std::size_t> last;
  for (std::size_t k = 0; k < plan.renames.size(); ++k) last[plan.renames[k].position] = k;
  for (std::size_t k = 0; k < plan.renames.size(); ++k)
    if (last[plan.renames[k].position] != k) plan.reasons[k] = RenameReason::movedAside;
}

// PowerLogic lets one component bear a designator: a run that gave each of
// several components sharing one a name of its own cannot be taken back.
// (A component the run left alone that bears such a name now is a change
// since the run, which the undo's own check names.)
void refuseSharingAgain(const std::vector<Rename>& renames) {
  std::map<std::int32_t, std::string> before;
  for (const Rename& rename : renames) before.emplace(rename.position, rename.from);
  std::map<std::string, std::size_t> bearers;
  for (const auto& [position, name] : before) ++bearers[name];
  for (const auto& [name, count] : bearers) {
    if (count < 2) continue;
    throw errors::refusal(errors::kSharedDesignator,
                          "Before that run " + name + " was borne by " + std::to_string(count) +
                              " components; PowerLogic gives a designator to one component "
                              "only, so the run cannot be taken back.");
  }
}

}  // namespace

RenumberPlan planUndo(const DesignSnapshot& snapshot, const std::vector<Rename>& renames) {
  WorkingDesign design(snapshot);
  auto differences = changedSince(design, renames);
  if (!differences.empty()) throw changedDesignRefusal(differences);
  refuseSharingAgain(renames);
  RenumberPlan plan;
  for (auto rename = renames.rbegin(); rename != renames.rend(); ++rename) {
    if (const auto holder = design.positionOf(rename->from);
        holder && *holder != rename->position) {
      differences.push_back(rename->from + " is taken by the component at position " +
                            std::to_string(*holder));
      continue;
    }
    if (design.rename(rename->position, rename->from)) {
      plan.renames.push_back({rename->position, rename->to, rename->from});
      plan.reasons.push_back(RenameReason::takenBack);
    }
    plan.steps.push_back({plan.renames.size(), 0});
  }
  if (!differences.empty()) throw changedDesignRefusal(differences);
  markTemporaryMoves(plan);
  if (!plan.steps.empty())
    plan.progress = ProgressRange{0, static_cast<float>(plan.steps.size()) - 1};
  return plan;
}

}  // namespace varnel
