#pragma once
// What a run will do to the design, worked out on an in-memory copy before
// the first rename: the renames in order (by list position), the ignored
// designators, and where each step ends.
#include <cstddef>
#include <string>
#include <vector>

#include "host/automation.h"
#include "standin/memory_host.h"

namespace varnel {

struct PlannedStep {
  std::size_t renamesEnd;  // renames [previous end, renamesEnd) belong to the step
  int ignoredEnd;
};

struct RunPlan {
  std::vector<host::Ref<host::Component>> components;  // the real ones, in list order
  std::vector<standin::RenameRecord> renames;
  std::vector<std::string> ignored;
  std::vector<PlannedStep> steps;
  float progressMin = 0;
  float progressMax = 0;
};

// Error raised when the host reports another name than the one it was given.
inline constexpr std::int64_t kHostRenamedOtherwise = 1001;

}  // namespace varnel
