#include "model/placement_table.h"

namespace varnel {

PlacementRow& PlacementTable::operator[](int index) {
  checkTableIndex(index, kCapacity);
  return rows_[index];
}

const PlacementRow& PlacementTable::operator[](int index) const {
  checkTableIndex(index, kCapacity);
  return rows_[index];
}

}  // namespace varnel
