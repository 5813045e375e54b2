#pragma once
// A schematic design as the stand-in PowerLogic holds it, in list order:
// the same value a run reads.
#include "model/design_snapshot.h"

namespace varnel::standin {

using PartData = model::Part;
using DesignData = model::DesignSnapshot;

}  // namespace varnel::standin
