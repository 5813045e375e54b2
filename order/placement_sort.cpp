// SortByCoord: the selected components in placement order, in sortedNames.
#include <cmath>

#include "engine/frm_ren_part.h"
#include "renumber/placement_order.h"

namespace varnel {

namespace {

// Sizes of the runs of equal prefix, in table order; any number of runs.
std::vector<int> prefixRuns(frmRenPart& form, int count) {
  std::vector<int> sizes;
  for (int i = 0; i < count; ++i) {
    if (i == 0 || form.GetCode(form.selectedNames[i]) != form.GetCode(form.selectedNames[i - 1]))
      sizes.push_back(0);
    ++sizes.back();
  }
  return sizes;
}

std::string coordinate(double value) {
  // A coordinate with no whole value cannot be ordered.
  if (!std::isfinite(value))
    throw Error(errors::kOverflow, "Overflow: a placement coordinate is not a number");
  return order::coordinateText(value);
}

void orderRun(PlacementTable& rows, int start, int size) {
  std::vector<order::PlacementKey> keys;
  std::vector<PlacementRow> held;
  for (int i = 0; i < size; ++i) {
    keys.push_back(order::keyOf(rows[start + i].x, rows[start + i].y));
    held.push_back(rows[start + i]);
  }
  const std::vector<int> order = order::placementOrder(keys);
  for (int i = 0; i < size; ++i) rows[start + i] = std::move(held[order[i]]);
}

}  // namespace

void frmRenPart::SortByCoord() {
  TalletaSelected();
  const int count = selectedNames.usedCount();
  for (int i = 0; i < count; ++i) {
    auto placement = partList->Item(selectedNames[i])->Placements()->Item(1);
    sortedNames[i] = {selectedNames[i], coordinate(placement->X(0)), coordinate(placement->Y(0))};
  }
  int start = 0;
  for (int size : prefixRuns(*this, count)) {
    orderRun(sortedNames, start, size);
    start += size;
  }
}

}  // namespace varnel
