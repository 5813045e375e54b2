#include "order/list_names.h"

#include "model/designator.h"

namespace varnel::order {

ListName::ListName(std::string text) : name(std::move(text)) {
  hasNumber = !designator::numberPart(name).empty();
  number = designator::wholeNumber(name);
}

void ListNames::clear() {
  names_.clear();
  positionOf_.clear();
}

const ListName* ListNames::at(int position) const {
  if (position < 0 || position >= static_cast<int>(names_.size()) || !names_[position])
    return nullptr;
  return &*names_[position];
}

void ListNames::remember(int position, const std::string& name) {
  if (auto other = positionOf_.find(name);
      other != positionOf_.end() && other->second != position) {
    clear();  // two components of one name: a rename could not be placed
    return;
  }
  if (position >= static_cast<int>(names_.size())) names_.resize(position + 1);
  names_[position] = ListName(name);
  positionOf_[name] = position;
}

void ListNames::renamed(const std::string& from, const std::string& to) {
  auto found = positionOf_.find(from);
  if (found == positionOf_.end()) {
    if (positionOf_.count(to)) clear();  // a known name now stands twice
    return;
  }
  const int position = found->second;
  positionOf_.erase(found);
  remember(position, to);
}

}  // namespace varnel::order
