#pragma once
// A design that can be renamed in memory under the host's own rules: a
// designator must be non-empty, without blanks or control characters, and
// borne by no other component (a design may come with shared ones; a rename
// never makes one). Positions are 1-based, in list order;
// renames never reorder the list.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/design_snapshot.h"
#include "model/name_index.h"

namespace varnel::model {

// True when the host accepts text as a designator.
bool isAcceptableDesignator(const std::string& text);

class WorkingDesign {
 public:
  explicit WorkingDesign(DesignSnapshot design);

  const DesignSnapshot& design() const { return design_; }
  std::int32_t count() const { return static_cast<std::int32_t>(design_.parts.size()); }
  const Part& partAt(std::int32_t position) const { return design_.parts[position - 1]; }
  const std::string& designatorAt(std::int32_t position) const {
    return partAt(position).designator;
  }
  void setSelected(std::int32_t position, bool selected) {
    design_.parts[position - 1].selected = selected;
  }

  bool isInUse(const std::string& name) const { return positionOf(name).has_value(); }
  // The first position that bears name.
  std::optional<std::int32_t> positionOf(const std::string& name) const;
  // Every position that bears name, in list order: an imported design may
  // give one designator to several components.
  std::vector<std::int32_t> positionsOf(const std::string& name) const;
  std::size_t bearers(const std::string& name) const;

  // Renames the component at position. Throws errors::kIllegalDesignator or
  // errors::kDesignatorInUse as the host does; its own name again changes nothing
  // (returns false).
  bool rename(std::int32_t position, const std::string& to);

 private:
  DesignSnapshot design_;
  NameIndex positionsByName_;  // over design_.parts
};

}  // namespace varnel::model
