#pragma once
// The renumbering algorithm run straight on the host, as literally as it is
// described: every name, selection and placement asked of the host when it
// is needed, nothing remembered, renames made at once. The planner must do
// exactly what this does; tests and benchmarks compare the two.
#include <string>
#include <vector>

#include "host/automation.h"
#include "renumber/run_settings.h"

namespace varnel::tests {

struct PlainOutcome {
  std::vector<std::string> oldNames, newNames, ignored;
};

// Throws the Error at which the run stopped; renames made stay made.
PlainOutcome plainRenumbering(host::Application& app, const renumber::RunSettings& settings);

}  // namespace varnel::tests
