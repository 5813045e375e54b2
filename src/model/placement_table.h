#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "model/name_table.h"

namespace varnel::model {

// Rows of the placement order: designator and the texts of its first
// placement's X and Y, and the list position of the component they are of
// (one designator may be borne by several). Rows are made as they are
// written; reading past them gives an empty row. A negative index is error 9.
struct PlacementRow {
  std::string name;
  std::string x;
  std::string y;
  std::int32_t position = 0;
};

class PlacementTable {
 public:
  PlacementRow& operator[](int index);
  const PlacementRow& operator[](int index) const;

 private:
  std::vector<PlacementRow> rows_;
};

}  // namespace varnel::model
