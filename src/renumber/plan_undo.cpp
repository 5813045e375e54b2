#include "renumber/plan_undo.h"

#include <algorithm>
#include <map>
#include <string_view>
#include <unordered_map>

#include "base/error.h"
#include "model/working_design.h"
#include "renumber/design_changes.h"

namespace varnel::renumber {

namespace {

// Each renamed position with the name the run left it with, where the design differs.
std::vector<std::string> changedSince(const model::WorkingDesign& design,
                                      const std::vector<model::Rename>& renames) {
  std::map<std::int32_t, std::string> left;
  for (const model::Rename& rename : renames) left[rename.position] = rename.to;
  return differencesFrom(design, left);
}

// Only a component's last rename in the undo gives it its name back; one
// before it goes to the temporary number the run had moved it through.
void markTemporaryMoves(RenumberPlan& plan) {
  std::unordered_map<std::int32_t, std::size_t> last;
  last.reserve(plan.renames.size());
  for (std::size_t k = 0; k < plan.renames.size(); ++k) last[plan.renames[k].position] = k;
  for (std::size_t k = 0; k < plan.renames.size(); ++k)
    if (last[plan.renames[k].position] != k) plan.reasons[k] = RenameReason::movedAside;
}

// PowerLogic lets one component bear a designator: a run that gave each of
// several components sharing one a name of its own cannot be taken back.
// (A component the run left alone that bears such a name now is a change
// since the run, which the undo's own check names.)
void refuseSharingAgain(const std::vector<model::Rename>& renames) {
  // Each component's name before the run: the from of its first rename.
  std::unordered_map<std::int32_t, std::string_view> before;
  before.reserve(renames.size());
  for (const model::Rename& rename : renames) before.emplace(rename.position, rename.from);
  std::vector<std::string_view> names;
  names.reserve(before.size());
  for (const auto& entry : before) names.push_back(entry.second);
  std::sort(names.begin(), names.end());
  for (auto first = names.begin(); first != names.end();) {
    const auto end = std::upper_bound(first, names.end(), *first);
    if (end - first >= 2)
      throw base::errors::refusal(base::errors::kSharedDesignator,
                                  "Before that run " + std::string(*first) + " was borne by " +
                                      std::to_string(end - first) +
                                      " components; PowerLogic gives a designator to one component "
                                      "only, so the run cannot be taken back.");
    first = end;
  }
}

}  // namespace

RenumberPlan planUndo(const model::DesignSnapshot& snapshot,
                      const std::vector<model::Rename>& renames) {
  model::WorkingDesign design(snapshot);
  auto differences = changedSince(design, renames);
  if (!differences.empty()) throw changedDesignRefusal(differences);
  refuseSharingAgain(renames);
  RenumberPlan plan;
  for (auto rename = renames.rbegin(); rename != renames.rend(); ++rename) {
    if (const auto holder = design.positionOf(rename->from);
        holder && *holder != rename->position) {
      differences.push_back(takenByText(rename->from, *holder));
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

}  // namespace varnel::renumber
