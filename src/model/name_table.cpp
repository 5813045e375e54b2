#include "model/name_table.h"

#include "base/error.h"

namespace varnel {

void checkTableIndex(int index, int capacity) {
  if (index < 0 || index >= capacity) throw errors::subscriptOutOfRange();
}

const std::string& NameTable::operator[](int index) const {
  checkTableIndex(index, kCapacity);
  return entries_[index];
}

void NameTable::set(int index, std::string name) {
  checkTableIndex(index, kCapacity);
  entries_[index] = std::move(name);
}

int NameTable::usedCount() const {
  int count = 0;
  while (count < kCapacity && !entries_[count].empty()) ++count;
  return count;
}

void NameTable::clear() {
  for (int i = 0; i < kCapacity && !entries_[i].empty(); ++i) entries_[i].clear();
}

}  // namespace varnel
