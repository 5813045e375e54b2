#pragma once
// A schematic design as the stand-in PowerLogic holds it, in list order:
// the same value a run reads.
#include "model/design_snapshot.h"

namespace varnel::standin {

using PartData = Part;
using DesignData = DesignSnapshot;

}  // namespace varnel::standin
