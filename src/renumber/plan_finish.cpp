#include "renumber/plan_finish.h"

#include <map>

#include "renumber/design_changes.h"

namespace varnel::renumber {

namespace {

// The name each planned position bears once the first `made` renames are made.
std::map<std::int32_t, std::string> namesAfter(const std::vector<model::Rename>& plan,
                                               std::size_t made) {
  std::map<std::int32_t, std::string> names;
  for (const model::Rename& rename : plan) names.try_emplace(rename.position, rename.from);
  for (std::size_t k = 0; k < made; ++k) names[plan[k].position] = plan[k].to;
  return names;
}

// A rename with a later one of the same component goes to a temporary number.
void markTemporaryMoves(const std::vector<model::Rename>& plan, std::size_t made,
                        RenumberPlan& rest) {
  std::map<std::int32_t, std::size_t> last;
  for (std::size_t k = 0; k < plan.size(); ++k) last[plan[k].position] = k;
  for (std::size_t k = 0; k < rest.renames.size(); ++k)
    rest.reasons.push_back(last[rest.renames[k].position] == made + k ? RenameReason::renamed
                                                                      : RenameReason::movedAside);
}

}  // namespace

RenumberPlan planFinish(const model::DesignSnapshot& snapshot,
                        const std::vector<model::Rename>& plan, std::size_t made) {
  model::WorkingDesign design(snapshot);
  auto differences = differencesFrom(design, namesAfter(plan, made));
  if (!differences.empty()) throw changedDesignRefusal(differences);
  RenumberPlan rest;
  for (std::size_t k = made; k < plan.size(); ++k) {
    const model::Rename& rename = plan[k];
    if (const auto holder = design.positionOf(rename.to); holder && *holder != rename.position) {
      differences.push_back(takenByText(rename.to, *holder));
      continue;
    }
    design.rename(rename.position, rename.to);
    rest.renames.push_back(rename);
    rest.steps.push_back({rest.renames.size(), 0});
  }
  if (!differences.empty()) throw changedDesignRefusal(differences);
  markTemporaryMoves(plan, made, rest);
  if (!rest.steps.empty())
    rest.progress = ProgressRange{0, static_cast<float>(rest.steps.size()) - 1};
  return rest;
}

}  // namespace varnel::renumber
