#pragma once
// What a run will do to the design, worked out before the first rename: the
// plan, and the real components it renames, in list order.
#include <vector>

#include "host/automation.h"
#include "renumber/renumber_plan.h"

namespace varnel {

struct RunPlan {
  std::vector<host::Ref<host::Component>> components;
  RenumberPlan plan;
};

// Error raised when the host reports another name than the one it was given.
inline constexpr std::int64_t kHostRenamedOtherwise = 1001;

}  // namespace varnel
