#include "renumber/sort_selection.h"

#include <cmath>

#include "base/error.h"
#include "model/designator.h"
#include "renumber/placement_order.h"

namespace varnel::renumber {

namespace {

// Sizes of the runs of equal prefix, in table order.
std::vector<int> prefixRuns(const model::NameTable& names, int count) {
  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    if (i == 0 || model::designator::prefix(names[i]) != model::designator::prefix(names[i - 1]))
      sizes.push_back(0);
    ++sizes.back();
  }
  return sizes;
}

std::string coordinate(double value) {
  // A coordinate with no whole value cannot be ordered.
  if (!std::isfinite(value))
    throw base::Error(base::errors::kOverflow, "Overflow: a placement coordinate is not a number");
  return coordinateText(value);
}

void orderRun(model::PlacementTable& rows, int start, int size, const PlacementSettings& settings) {
  std::vector<PlacementKey> keys;
  std::vector<model::PlacementRow> held;
  for (int i = 0; i < size; ++i) {
    keys.push_back(keyOf(rows[start + i].x, rows[start + i].y, settings));
    held.push_back(rows[start + i]);
  }
  const std::vector<int> order = placementOrder(keys);
  for (int i = 0; i < size; ++i) rows[start + i] = std::move(held[order[i]]);
}

}  // namespace

void sortSelection(const model::WorkingDesign& design, const model::NameTable& selectedNames,
                   const std::vector<std::int32_t>& positions, model::PlacementTable& sorted,
                   const PlacementSettings& settings) {
  const int count = selectedNames.usedCount();
  for (int i = 0; i < count; ++i) {
    const model::Part& part = design.partAt(positions[i]);
    sorted[i] = {selectedNames[i], coordinate(part.x), coordinate(part.y), positions[i]};
  }
  int start = 0;
  for (int size : prefixRuns(selectedNames, count)) {
    orderRun(sorted, start, size, settings);
    start += size;
  }
}

}  // namespace varnel::renumber
