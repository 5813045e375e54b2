#include "model/name_table.h"

#include "base/error.h"

namespace varnel {

namespace {

void checkIndex(int index, int capacity) {
  if (index < 0 || index >= capacity) throw errors::subscriptOutOfRange();
}

}  // namespace

const std::string& NameTable::operator[](int index) const {
  checkIndex(index, kCapacity);
  return entries_[index];
}

void NameTable::set(int index, std::string name) {
  checkIndex(index, kCapacity);
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

PlacementRow& PlacementTable::operator[](int index) {
  checkIndex(index, kCapacity);
  return rows_[index];
}

const PlacementRow& PlacementTable::operator[](int index) const {
  checkIndex(index, kCapacity);
  return rows_[index];
}

}  // namespace varnel
