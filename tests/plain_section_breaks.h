#pragma once
// The ECO writer's three passes as first written: a scratch list scanned
// linearly, each pass over the whole log. Quadratic; the reference the hashed
// breaks are checked and measured against.
#include <algorithm>
#include <string>
#include <vector>

namespace varnel::tests {

inline std::vector<int> plainSectionBreaks(const std::vector<std::string>& oldNames,
                                           const std::vector<std::string>& newNames) {
  const int n = static_cast<int>(std::min(oldNames.size(), newNames.size()));
  std::vector<int> breaks;
  auto pass = [&](const std::vector<std::string>& first, const std::vector<std::string>& later) {
    std::vector<std::string> memory;
    for (int i = 0; i < n; ++i) {
      if (std::find(memory.begin(), memory.end(), first[i]) != memory.end()) continue;
      memory.push_back(first[i]);
      for (int j = i + 1; j < n; ++j)
        if (later[j] == first[i]) breaks.push_back(j);
    }
  };
  pass(newNames, newNames);  // a new name given twice
  pass(oldNames, oldNames);  // an old name renamed twice
  pass(newNames, oldNames);  // a chain
  std::sort(breaks.begin(), breaks.end());
  return breaks;
}

}  // namespace varnel::tests
