#pragma once
// The report of designators a run left alone, as its window shows it.
#include <optional>
#include <string>
#include <vector>

#include "renumber/renumber_plan.h"

namespace varnel::app {

// The report's text with names below it: below what the window shows while
// it stays open, else below the heading; then each component the run could
// not name, with why.
// A run's names below those of the run before it begin with a line that
// says when it ran (runTime).
std::string ignoredReport(const std::optional<std::string>& shown,
                          const std::vector<std::string>& names,
                          const std::vector<renumber::Unnamable>& unnamable = {},
                          const std::string& runTime = {});

// Why the run left that component alone, naming it by its designator, or
// by its position when it has none.
std::string unnamableNote(const renumber::Unnamable& component);

}  // namespace varnel::app
