#pragma once
// A plan cut down to the renames that change something: every component
// ends with the name the full plan gives it, one that bears it already is
// not renamed, and a temporary number is taken only where a cycle of renames
// (R1 to R2 while R2 goes to R1) leaves no free name to move into.
#include "model/design_snapshot.h"
#include "renumber/renumber_plan.h"

namespace varnel::renumber {

RenumberPlan keepingRightNames(const model::DesignSnapshot& design, const RenumberPlan& full);

}  // namespace varnel::renumber
