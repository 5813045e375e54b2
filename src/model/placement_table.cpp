#include "model/placement_table.h"

namespace varnel::model {

PlacementRow& PlacementTable::operator[](int index) {
  checkTableIndex(index);
  if (index >= static_cast<int>(rows_.size())) rows_.resize(index + 1);
  return rows_[index];
}

const PlacementRow& PlacementTable::operator[](int index) const {
  static const PlacementRow kEmpty;
  checkTableIndex(index);
  return index < static_cast<int>(rows_.size()) ? rows_[index] : kEmpty;
}

}  // namespace varnel::model
