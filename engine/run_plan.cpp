// The dry run: the design is read once, copied into memory, and the whole
// algorithm runs on the copy. Whatever would fail (a number past 16 bits, a
// table past 10001 entries, an empty design) fails here, before the real
// design is touched.
#include "engine/run_plan.h"

#include "renumber/plan_renumbering.h"

#include "app/option_values.h"
#include "app/run_options.h"
#include "engine/frm_ren_part.h"
#include "model/designator.h"

namespace varnel {

namespace {

constexpr std::int64_t kNoPrefix = 1003;

Error refusal(std::int64_t number, const std::string& why) {
  return Error(number, why + " Nothing was renamed.");
}

}  // namespace

struct DesignCopy {
  DesignSnapshot design;
  int selected = 0;
};

void frmRenPart::readDesign(Int16 mode, RunPlan& plan, DesignCopy& copy) {
  copy.design.scopes = powerlogicdoc->Scopes()->Count();
  partList = componentListFor(copy.design.scopes);
  const std::int32_t count = partList->Count();
  if (count > NameTable::kCapacity)
    throw refusal(errors::kSubscriptOutOfRange, "The design has " + std::to_string(count) +
                                                    " components; Varnel renumbers at most 10001.");
  for (std::int32_t i = 1; i <= count; ++i) {
    auto part = partList->Item(i);
    Part data{part->Name()};
    if (data.designator.empty())
      throw refusal(errors::kObjectNotSet, "The component at position " + std::to_string(i) +
                                               " has no reference designator.");
    // Only a selected-components run needs the selection and the placements.
    if (mode == 1 && (data.selected = part->Selected())) {
      auto placement = part->Placements()->Item(1);
      data.x = placement->X(0);
      data.y = placement->Y(0);
      ++copy.selected;
    }
    copy.design.parts.push_back(std::move(data));
    plan.components.push_back(std::move(part));
  }
  if (copy.selected > NameTable::kCapacity)
    throw refusal(errors::kSubscriptOutOfRange,
                  std::to_string(copy.selected) +
                      " components are selected; Varnel renumbers at most 10001.");
}

// What a run may not do although it could: leave a designator without its
// letters, or change names that the requested ECO file could not carry.
void frmRenPart::checkPlannedNames(const RunPlan& plan) {
  for (const Rename& rename : plan.plan.renames) {
    if (designator::prefix(rename.from).empty())
      throw refusal(kNoPrefix, "The designator '" + rename.from +
                                   "' does not begin with a capital letter (A-Z); the run would "
                                   "rename it to '" +
                                   rename.to + "'. Rename it by hand first.");
    if (!platform_.options->chkSend()) continue;
    try {
      ecoEncoded(rename.from);
      ecoEncoded(rename.to);
    } catch (const Error& e) {
      throw refusal(e.number(), e.text());
    }
  }
}

RunPlan frmRenPart::planRun(Int16 mode) {
  RunPlan plan;
  DesignCopy copy;
  readDesign(mode, plan, copy);
  RunSettings settings;
  settings.scope = mode == 0 ? Scope::allComponents : Scope::selectedComponents;
  settings.conflictRule = platform_.options->optDuplicate() ? ConflictRule::renameDuplicates
                                                            : ConflictRule::assignNextFree;
  settings.start = startNumber();
  plan.plan = planRenumbering(copy.design, settings);
  checkPlannedNames(plan);
  return plan;
}

}  // namespace varnel
