#pragma once
// A name table: entries 0 to 10000, filled from 0 without gaps; the first
// empty text ends its used part. An index past 10000 is error 9.
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

// Error 9 for an index outside 0..capacity-1: the rule of every table.
void checkTableIndex(int index, int capacity);

}  // namespace varnel
