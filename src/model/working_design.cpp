#include "model/working_design.h"

#include <algorithm>

#include "base/error.h"

namespace varnel::model {

bool isAcceptableDesignator(const std::string& text) {
  if (text.empty()) return false;
  for (unsigned char c : text)
    if (c <= 0x20 || c == 0x7F) return false;
  return true;
}

WorkingDesign::WorkingDesign(DesignSnapshot design)
    : design_(std::move(design)), positionsByName_(design_.parts) {}

std::optional<std::int32_t> WorkingDesign::positionOf(const std::string& name) const {
  const std::int32_t position = positionsByName_.first(design_.parts, name);
  if (position == 0) return std::nullopt;
  return position;
}

std::vector<std::int32_t> WorkingDesign::positionsOf(const std::string& name) const {
  return positionsByName_.all(design_.parts, name);
}

std::size_t WorkingDesign::bearers(const std::string& name) const {
  return positionsByName_.count(design_.parts, name);
}

bool WorkingDesign::rename(std::int32_t position, const std::string& to) {
  if (!isAcceptableDesignator(to))
    throw base::Error(base::errors::kIllegalDesignator,
                      "Illegal reference designator '" + to + "'");
  std::string& name = design_.parts[position - 1].designator;
  if (to == name) return false;
  if (isInUse(to))
    throw base::Error(base::errors::kDesignatorInUse,
                      "Reference designator " + to + " is already in use");
  positionsByName_.remove(design_.parts, name, position);
  name = to;
  positionsByName_.add(design_.parts, to, position);
  return true;
}

}  // namespace varnel::model
