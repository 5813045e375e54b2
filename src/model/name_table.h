#pragma once
// A name table: entries from 0 upward, filled without gaps; the first empty
// text ends its used part. It holds as many entries as are set; reading past
// them gives the empty text. A negative index is error 9.
#include <string>
#include <vector>

namespace varnel::model {

class NameTable {
 public:
  // Both throw error 9 for a negative index.
  const std::string& operator[](int index) const;
  void set(int index, std::string name);

  // The index of the first empty entry.
  int usedCount() const;
  bool empty() const { return entries_.empty() || entries_[0].empty(); }

  // Empties entries from 0 up to the first one already empty.
  void clear();

 private:
  std::vector<std::string> entries_;
};

// Error 9 for a negative index: the rule of every table.
void checkTableIndex(int index);

}  // namespace varnel::model
