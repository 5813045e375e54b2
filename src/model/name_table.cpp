#include "model/name_table.h"

#include "base/error.h"

namespace varnel::model {

void checkTableIndex(int index) {
  if (index < 0) throw base::errors::subscriptOutOfRange();
}

const std::string& NameTable::operator[](int index) const {
  static const std::string kEmpty;
  checkTableIndex(index);
  return index < static_cast<int>(entries_.size()) ? entries_[index] : kEmpty;
}

void NameTable::set(int index, std::string name) {
  checkTableIndex(index);
  if (index >= static_cast<int>(entries_.size())) entries_.resize(index + 1);
  entries_[index] = std::move(name);
}

int NameTable::usedCount() const {
  int count = 0;
  while (count < static_cast<int>(entries_.size()) && !entries_[count].empty()) ++count;
  return count;
}

void NameTable::clear() {
  for (std::size_t i = 0; i < entries_.size() && !entries_[i].empty(); ++i) entries_[i].clear();
}

}  // namespace varnel::model
