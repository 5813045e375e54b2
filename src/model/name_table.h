#pragma once
// A name table: entries 0 to 10000, filled from 0 without gaps; the first
// empty text ends its used part. An index past 10000 is error 9.
#include <cstdint>
#include <string>
#include <vector>

namespace varnel {

class NameTable {
 public:
  static constexpr int kCapacity = 10001;

  NameTable() : entries_(kCapacity) {}

  // Both throw error 9 for an index outside 0..10000.
  const std::string& operator[](int index) const;
  void set(int index, std::string name);

  // The index of the first empty entry (10001 when none is empty).
  int usedCount() const;
  bool empty() const { return entries_[0].empty(); }

  // Empties entries from 0 up to the first one already empty.
  void clear();

 private:
  std::vector<std::string> entries_;
};

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
