#pragma once
// The renumbering algorithm as a pure function of the design and the settings.
#include "model/board_placement.h"
#include "model/design_snapshot.h"
#include "renumber/renumber_plan.h"
#include "renumber/run_settings.h"

namespace varnel::renumber {

// The plan of a run over design, or a refusal: an Error whose text ends in
// "Nothing was renamed." (a number past 16 bits,
// an empty design, a rename the host would refuse).
RenumberPlan planRenumbering(const model::DesignSnapshot& design, const RunSettings& settings);

// The plan of a run by board position (settings.rules.board), in the order
// of the parts board places.
RenumberPlan planRenumbering(const model::DesignSnapshot& design, const RunSettings& settings,
                             const model::BoardPlacement& board);

}  // namespace varnel::renumber
