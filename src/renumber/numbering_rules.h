#pragma once
// Rules that narrow a run to what the designer wants changed: names already
// right are kept, chosen designators are locked, only some prefixes are
// renumbered, and a prefix may count from a start of its own. A component a
// rule holds is never renamed and its name counts as taken. Beside them, the
// order a selected-components run visits the placements in. All default to
// off, which is a run as it always was.
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "base/int16.h"
#include "renumber/board_settings.h"
#include "renumber/placement_settings.h"

namespace varnel::renumber {

// One entry of the locked list: a name (U100), a range of one prefix
// (J1-J8) or every designator of a prefix (TP*).
struct LockEntry {
  enum class Kind { name, range, prefix };
  Kind kind = Kind::name;
  std::string text;     // the name, or the range's or pattern's prefix
  base::Int16 low = 0;  // a range's ends, both included
  base::Int16 high = 0;

  bool operator==(const LockEntry&) const = default;
};

struct NumberingRules {
  bool keepRight = false;
  std::vector<LockEntry> locked;
  std::vector<std::string> onlyPrefixes;        // empty: every prefix
  std::map<std::string, base::Int16> startFor;  // by prefix
  std::set<std::string> lockedForRun;           // the Preview's unchecked rows: this run only
  PlacementSettings placement;
  // Set when the run numbers by board position, from the layout's placement file.
  std::optional<BoardSettings> board;

  bool operator==(const NumberingRules&) const = default;

  // True when a rule keeps designator as it is.
  bool holds(const std::string& designator) const;
  // Where prefix's count starts: its own start, or the run's.
  base::Int16 startOf(const std::string& prefix, base::Int16 runStart) const;
  // True when no rule changes what a run does.
  bool allDefault() const { return *this == NumberingRules{}; }
};

}  // namespace varnel::renumber
