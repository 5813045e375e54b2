#pragma once
// Taking a run back: the inverse of its renames, worked out on the design as
// it is now.
#include <vector>

#include "model/design_snapshot.h"
#include "model/rename.h"
#include "renumber/renumber_plan.h"

namespace varnel::renumber {

// The renames that give every component the run renamed its name from
// before, in reverse order. Refused with error 1005, every difference
// listed, when a component no longer bears the name the run gave it, or a
// name the inverse needs was taken since; with error 1006 when it would give
// one designator back to several components.
RenumberPlan planUndo(const model::DesignSnapshot& design,
                      const std::vector<model::Rename>& renames);

}  // namespace varnel::renumber
