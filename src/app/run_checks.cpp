#include "app/run_checks.h"

#include "eco/eco_file.h"
#include "model/designator.h"
#include "model/working_design.h"

namespace varnel::app {

namespace {

// An ECO file names a component by its designator: where several bear it,
// PowerPCB cannot tell which one the run renamed.
void refuseSharedDesignators(const model::DesignSnapshot& read,
                             const renumber::RenumberPlan& plan) {
  const model::WorkingDesign design(read);
  for (const model::Rename& rename : plan.renames) {
    const std::string& name = design.designatorAt(rename.position);
    const std::size_t bearers = design.bearers(name);
    if (bearers < 2) continue;
    throw base::errors::refusal(
        base::errors::kSharedDesignator,
        name + " is borne by " + std::to_string(bearers) +
            " components; an ECO file could not tell PowerPCB which of them "
            "the run renames. Give each its own designator in PowerLogic "
            "first, or run without an ECO file.");
  }
}

}  // namespace

void refuseUnfitNames(const model::DesignSnapshot& design, const renumber::RenumberPlan& plan,
                      EcoOutput eco, eco::AnsiEncoder& encoder) {
  if (eco != EcoOutput::none) refuseSharedDesignators(design, plan);
  for (const model::Rename& rename : plan.renames) {
    if (model::designator::prefix(rename.from).empty())
      throw base::errors::refusal(base::errors::kNoPrefix,
                                  "The designator '" + rename.from +
                                      "' does not begin with a capital letter (A-Z); the run would "
                                      "rename it to '" +
                                      rename.to + "'. Rename it by hand first.");
    if (eco == EcoOutput::none) continue;
    try {
      eco::encodedForEco(rename.from, encoder);
      eco::encodedForEco(rename.to, encoder);
    } catch (const base::Error& e) {
      throw base::errors::refusal(e.number(), e.text());
    }
  }
}

}  // namespace varnel::app
