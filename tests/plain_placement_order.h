#pragma once
// The placement procedure done literally: for each position, while a later
// row must come before the row there, move that row to the end of the run.
// Cubic at worst; the reference the fast order is checked against.
#include <cmath>
#include <utility>
#include <vector>

#include "renumber/placement_order.h"

namespace varnel::tests {

// A placement under any order as the default order sees the sheet turned
// and mirrored: rounded to its grid cell first, mirrored left to right or top
// to bottom, and for rows first turned so that the top row becomes the first
// column. Its key under the default rule orders it as the settings ask.
inline renumber::PlacementKey plainPlacementKey(double x, double y,
                                                const renumber::PlacementSettings& settings) {
  if (settings.grid > 0) {
    // Cell numbers; a cell of -0 is the cell 0.
    x = std::nearbyint(x / settings.grid) + 0.0;
    y = std::nearbyint(y / settings.grid) + 0.0;
  }
  if (settings.across == renumber::Across::rightToLeft) x = -x;
  if (settings.down == renumber::Down::bottomToTop) y = -y;
  if (settings.lines == renumber::Lines::rowsFirst) {
    const double top = x;
    x = -y;
    y = -top;
  }
  return renumber::keyOf(renumber::coordinateText(x), renumber::coordinateText(y));
}

inline std::vector<int> plainPlacementOrder(const std::vector<renumber::PlacementKey>& keys) {
  std::vector<int> rows(keys.size());
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
  const std::size_t n = rows.size();
  for (std::size_t p = 0; p < n; ++p) {
    std::size_t q = 1;
    while (p + q < n) {
      if (renumber::mustComeBefore(keys[rows[p + q]], keys[rows[p]])) {
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

}  // namespace varnel::tests
