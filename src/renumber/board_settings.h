#pragma once
// How a run numbers by board position: which sides, where the bottom side's
// count starts, how the bottom side is looked at, and the placement order
// and grid (in millimetres) of board positions. The placement file is read
// afresh for every run; these settings name it.
#include <optional>
#include <string>

#include "base/int16.h"
#include "renumber/placement_settings.h"

namespace varnel::renumber {

enum class Sides { both, topOnly, bottomOnly };

struct BoardSettings {
  std::string file;        // the layout's placement file
  std::string bottomFile;  // a second file, of the bottom side; empty when there is none
  Sides sides = Sides::both;
  // Where each prefix's bottom parts start counting; nothing: the count goes on.
  std::optional<base::Int16> bottomStart;
  // The bottom side as the board is held to work on it: X mirrored.
  bool bottomSeenFromBelow = true;
  PlacementSettings placement{Lines::columnsFirst, Across::leftToRight, Down::topToBottom, 1.0};

  bool operator==(const BoardSettings&) const = default;
};

}  // namespace varnel::renumber
