#pragma once
// The placement procedure done literally: for each position, while a later
// row must come before the row there, move that row to the end of the run.
// Cubic at worst; the reference the fast order is checked against.
#include <vector>

#include "renumber/placement_order.h"

namespace varnel::testing {

inline std::vector<int> plainPlacementOrder(const std::vector<order::PlacementKey>& keys) {
  std::vector<int> rows(keys.size());
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
  const std::size_t n = rows.size();
  for (std::size_t p = 0; p < n; ++p) {
    std::size_t q = 1;
    while (p + q < n) {
      if (order::mustComeBefore(keys[rows[p + q]], keys[rows[p]])) {
        const int held = rows[p];
        for (std::size_t k = p; k + 1 < n; ++k) rows[k] = rows[k + 1];
        rows[n - 1] = held;
        q = 1;
      } else {
        ++q;
      }
    }
  }
  return rows;
}

}  // namespace varnel::testing
