#include "model/working_design.h"

#include <algorithm>

#include "base/error.h"

namespace varnel {

bool isAcceptableDesignator(const std::string& text) {
  if (text.empty()) return false;
  for (unsigned char c : text)
    if (c <= 0x20 || c == 0x7F) return false;
  return true;
}

WorkingDesign::WorkingDesign(DesignSnapshot design) : design_(std::move(design)) {
  positionsByName_.reserve(design_.parts.size());
  for (std::int32_t position = 1; position <= count(); ++position)
    addBearer(designatorAt(position), position);
}

std::optional<std::int32_t> WorkingDesign::positionOf(const std::string& name) const {
  auto it = positionsByName_.find(name);
  if (it == positionsByName_.end()) return std::nullopt;
  return it->second.first;
}

std::vector<std::int32_t> WorkingDesign::positionsOf(const std::string& name) const {
  auto it = positionsByName_.find(name);
  if (it == positionsByName_.end()) return {};
  std::vector<std::int32_t> positions{it->second.first};
  positions.insert(positions.end(), it->second.others.begin(), it->second.others.end());
  return positions;
}

std::size_t WorkingDesign::bearers(const std::string& name) const {
  auto it = positionsByName_.find(name);
  return it == positionsByName_.end() ? 0 : 1 + it->second.others.size();
}

bool WorkingDesign::rename(std::int32_t position, const std::string& to) {
  if (!isAcceptableDesignator(to))
    throw Error(errors::kIllegalDesignator, "Illegal reference designator '" + to + "'");
  std::string& name = design_.parts[position - 1].designator;
  if (to == name) return false;
  if (isInUse(to))
    throw Error(errors::kDesignatorInUse, "Reference designator " + to + " is already in use");
  removeBearer(name, position);
  addBearer(to, position);
  name = to;
  return true;
}

void WorkingDesign::removeBearer(const std::string& name, std::int32_t position) {
  auto it = positionsByName_.find(name);
  Bearers& bearers = it->second;
  if (bearers.first != position) {
    bearers.others.erase(std::find(bearers.others.begin(), bearers.others.end(), position));
  } else if (bearers.others.empty()) {
    positionsByName_.erase(it);
  } else {
    bearers.first = bearers.others.front();
    bearers.others.erase(bearers.others.begin());
  }
}

void WorkingDesign::addBearer(const std::string& name, std::int32_t position) {
  auto [it, added] = positionsByName_.try_emplace(name, Bearers{position, {}});
  if (added) return;
  Bearers& bearers = it->second;
  if (position < bearers.first) std::swap(position, bearers.first);
  bearers.others.insert(std::lower_bound(bearers.others.begin(), bearers.others.end(), position),
                        position);
}

}  // namespace varnel
