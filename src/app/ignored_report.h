#pragma once
// The report of designators a run left alone, as its window shows it.
#include <optional>
#include <string>
#include <vector>

namespace varnel::app {

// The report's text with names below it: below what the window shows while
// it stays open, else below the heading.
std::string ignoredReport(const std::optional<std::string>& shown,
                          const std::vector<std::string>& names);

}  // namespace varnel::app
