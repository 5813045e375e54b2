#pragma once
// The layout's placement files of a run by board position: read afresh for
// every run and preview, and named in the run's journal with their size and
// checksum, so that the journal says what the run was numbered from.
#include <string>

#include "base/file_system.h"
#include "model/board_placement.h"
#include "renumber/board_settings.h"

namespace varnel::app {

struct BoardRead {
  model::BoardPlacement placement;
  // "; placement file C:\pcb\board.pos, 2143 bytes, CRC-32 5a0c19e2", one a file.
  std::string record;
};

// Throws the file system's error (53, 75) naming a file it cannot read, and
// the reader's refusal (1010) for one it cannot understand.
BoardRead readBoard(base::FileSystem& files, const renumber::BoardSettings& board);

}  // namespace varnel::app
