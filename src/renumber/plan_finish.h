#pragma once
// Finishing a run that was cut off: the rest of its plan, worked out on the
// design as it is now.
#include <cstddef>
#include <vector>

#include "model/design_snapshot.h"
#include "model/rename.h"
#include "renumber/renumber_plan.h"

namespace varnel::renumber {

// The planned renames after the first `made`, once the design is seen to
// bear exactly the names those made left (error 1005, every difference
// listed, when it does not, or when a name the rest needs was taken since).
// made == plan.size() checks the design and plans nothing; made is never more.
RenumberPlan planFinish(const model::DesignSnapshot& design, const std::vector<model::Rename>& plan,
                        std::size_t made);

}  // namespace varnel::renumber
