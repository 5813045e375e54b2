#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/name_table.h"

namespace varnel {

// Rows of the placement order: designator and the texts of its first
// placement's X and Y, and the list position of the component they are of
// (one designator may be borne by several). Same capacity and index rule as
// a name table.
struct PlacementRow {
  std::string name;
  std::string x;
  std::string y;
  std::int32_t position = 0;
};

class PlacementTable {
 public:
  static constexpr int kCapacity = NameTable::kCapacity;

  PlacementTable() : rows_(kCapacity) {}

  // Throws error 9 for an index outside 0..10000.
  PlacementRow& operator[](int index);
  const PlacementRow& operator[](int index) const;

 private:
  std::vector<PlacementRow> rows_;
};

}  // namespace varnel
