#pragma once
// The assembly placement file ("pick and place", "centroid", "XY") that the
// layout exports: the reader of every shape the layout tools write, each
// refusal naming the file and the line.
#include <optional>
#include <string>
#include <string_view>

#include "model/board_placement.h"

namespace varnel::eco {

// The parts the file's bytes place. name is the file as the user chose it:
// the refusals name it, and a file without a side column takes its side
// from it, unless side is given (a second file, of the bottom side).
// Throws error 1010 with "Nothing was renamed." for a file it cannot read.
model::BoardPlacement readPlacementFile(std::string_view bytes, const std::string& name,
                                        std::optional<model::BoardSide> side = std::nullopt);

// The side a file without a side column places its parts on: the bottom
// for names such as board.mnb, board_back.csv, board-bot.txt.
model::BoardSide sideOfFileName(const std::string& name);

// The parts of the top file and of the bottom side's file together;
// error 1010 when both place one designator.
model::BoardPlacement combinedPlacement(model::BoardPlacement top, const std::string& topName,
                                        const model::BoardPlacement& bottom,
                                        const std::string& bottomName);

}  // namespace varnel::eco
