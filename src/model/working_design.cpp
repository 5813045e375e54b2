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
  for (std::int32_t position = 1; position <= count(); ++position)
    positionsByName_[designatorAt(position)].push_back(position);
}

std::optional<std::int32_t> WorkingDesign::positionOf(const std::string& name) const {
  auto it = positionsByName_.find(name);
  if (it == positionsByName_.end() || it->second.empty()) return std::nullopt;
  return it->second.front();
}

std::vector<std::int32_t> WorkingDesign::positionsOf(const std::string& name) const {
  auto it = positionsByName_.find(name);
  if (it == positionsByName_.end()) return {};
  return it->second;
}

std::size_t WorkingDesign::bearers(const std::string& name) const {
  auto it = positionsByName_.find(name);
  return it == positionsByName_.end() ? 0 : it->second.size();
}

bool WorkingDesign::rename(std::int32_t position, const std::string& to) {
  if (!isAcceptableDesignator(to))
    throw Error(errors::kIllegalDesignator, "Illegal reference designator '" + to + "'");
  std::string& name = design_.parts[position - 1].designator;
  if (to == name) return false;
  if (isInUse(to))
    throw Error(errors::kDesignatorInUse, "Reference designator " + to + " is already in use");
  auto& from = positionsByName_[name];
  from.erase(std::find(from.begin(), from.end(), position));
  auto& target = positionsByName_[to];
  target.insert(std::lower_bound(target.begin(), target.end(), position), position);
  name = to;
  return true;
}

}  // namespace varnel
