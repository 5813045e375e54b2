#pragma once
// Where the board places its parts, as the layout's placement file says:
// a value read afresh for every run that numbers by board position.
#include <cstdint>
#include <string>
#include <vector>

namespace varnel::model {

enum class BoardSide { top, bottom };

// One row of the placement file: a designator at a centre, in millimetres,
// with Y growing upwards as on the board's drawings.
struct BoardPart {
  std::string designator;
  double x = 0;
  double y = 0;
  BoardSide side = BoardSide::top;

  bool operator==(const BoardPart&) const = default;
};

struct BoardPlacement {
  std::vector<BoardPart> parts;       // in the file's order, each designator once
  std::int32_t emptyDesignators = 0;  // rows skipped because their designator was empty
  // The day the (top side's) file was last written, "2026-12-09", when the
  // file system tells: a file older than the design is named by its date.
  std::string writtenOn;

  bool operator==(const BoardPlacement&) const = default;
};

}  // namespace varnel::model
