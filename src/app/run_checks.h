#pragma once
// What a run may not do although it could: leave a designator without its
// letters, change names that the requested ECO file could not carry, or
// rename for the board a component whose designator others bear too.
#include "app/run_request.h"
#include "eco/ansi_encoding.h"
#include "model/design_snapshot.h"
#include "renumber/renumber_plan.h"

namespace varnel::app {

// Throws the refusal (error 1003, 1002 or 1006) of the first such rename.
void refuseUnfitNames(const model::DesignSnapshot& design, const renumber::RenumberPlan& plan,
                      EcoOutput eco, eco::AnsiEncoder& encoder);

}  // namespace varnel::app
