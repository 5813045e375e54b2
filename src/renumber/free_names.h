#pragma once
// Free names of a prefix while a run is planned: the walk of the list's
// stretch that holds the prefix, and the search for the first number no
// component bears. It follows the design as the plan renames it.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/name_table.h"
#include "model/working_design.h"
#include "renumber/first_above_tree.h"
#include "renumber/known_used_numbers.h"
#include "renumber/list_name.h"

namespace varnel::renumber {

class FreeNames {
 public:
  // Over design and the run's table of every designator, both kept by the planner.
  FreeNames(const model::WorkingDesign& design, const model::NameTable& allNames);

  // Another designator of designator's prefix, as a walk of the stretch of
  // the list that holds the prefix gives it: the first gap above its number,
  // or the number after the stretch's last member. The walk's stops are kept
  // in a tree per stretch, so the answer comes without walking.
  std::string nextFreeName(const std::string& designator);
  // candidate, or the next higher number of its prefix that no component
  // bears; ownName counts as free (the component being renamed bears it).
  std::string firstFreeName(const std::string& candidate, const std::string& ownName);
  // The design renamed the component at position from from to to.
  void renamed(std::int32_t position, const std::string& from, const std::string& to);
  // The table of every designator was stored afresh: the walks begin anew.
  void restart();

 private:
  // The positions a walk for one prefix reads, [start, end), with the key
  // at which each stops it (see gapKey); end is where the stretch stops it,
  // or one past the last item.
  struct Stretch {
    std::int32_t start = 0;
    std::int32_t end = 0;
    FirstAboveTree stops;
  };
  const ListName& nameAt(std::int32_t position);
  Stretch& stretchOf(const std::string& prefix, std::int32_t start);
  int gapKey(std::int32_t position, const std::string& prefix);
  std::optional<std::int32_t> firstPositionOf(const std::string& prefix);
  void updateStops(std::int32_t position, const std::string& oldName);

  const model::WorkingDesign& design_;
  const model::NameTable& allNames_;
  KnownUsedNumbers knownUsed_;
  std::vector<std::optional<ListName>> parsed_;  // by position, kept current
  // The first position of each prefix in allNames_, and the stretches built.
  std::unordered_map<std::string, std::int32_t> firstPositions_;
  bool firstPositionsRead_ = false;
  std::unordered_map<std::string, Stretch> stretches_;
};

}  // namespace varnel::renumber
