#pragma once
// The order a run numbers the board's parts in: each prefix in alphabetical
// order; in each, the top side's parts, then the bottom side's, each side in
// the placement order over grid cells of its positions (the bottom side's X
// mirrored when it is seen from below); parts in one cell by their
// designator's number, then its text.
#include <cstdint>
#include <string>
#include <vector>

#include "model/board_placement.h"
#include "model/design_snapshot.h"
#include "renumber/board_settings.h"
#include "renumber/run_settings.h"

namespace varnel::renumber {

struct BoardStop {
  std::int32_t position;  // in the design's list, from 1
  model::BoardSide side;
  bool operator==(const BoardStop&) const = default;
};

struct BoardOrder {
  std::vector<BoardStop> stops;          // the parts the run numbers, in numbering order
  std::vector<std::int32_t> notOnBoard;  // the design's components the file does not place
  std::vector<std::string> onlyOnBoard;  // the file's designators the design lacks
};

// Which parts a run of scope numbers, and in which order: those the file
// places, on the sides chosen, whose designators begin with a letter (and,
// for a selected-components run, are selected).
BoardOrder boardOrder(const model::DesignSnapshot& design, const model::BoardPlacement& board,
                      const BoardSettings& settings, RunScope scope);

// The key a part is ordered by within its prefix and side: its line and its
// place along it, in grid cells.
struct BoardKey {
  double line;
  double along;
};
BoardKey boardKeyOf(const model::BoardPart& part, const BoardSettings& settings);

}  // namespace varnel::renumber
