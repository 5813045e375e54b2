#include "app/board_files.h"

#include <cstdio>

#include "base/png_image.h"
#include "eco/placement_file.h"

namespace varnel::app {

namespace {

std::string recordOf(const std::string& path, const std::string& bytes) {
  char checksum[16];
  std::snprintf(checksum, sizeof checksum, "%08x", static_cast<unsigned>(base::crc32(bytes)));
  return "; placement file " + path + ", " + std::to_string(bytes.size()) + " bytes, CRC-32 " +
         checksum;
}

}  // namespace

BoardRead readBoard(base::FileSystem& files, const renumber::BoardSettings& board) {
  BoardRead read;
  const std::string bytes = files.readFile(board.file);
  read.placement = eco::readPlacementFile(bytes, board.file);
  read.record = recordOf(board.file, bytes);
  read.placement.writtenOn = files.lastWrittenDate(board.file);
  if (board.bottomFile.empty()) return read;
  const std::string bottomBytes = files.readFile(board.bottomFile);
  read.placement = eco::combinedPlacement(
      std::move(read.placement), board.file,
      eco::readPlacementFile(bottomBytes, board.bottomFile, model::BoardSide::bottom),
      board.bottomFile);
  read.record += recordOf(board.bottomFile, bottomBytes);
  return read;
}

}  // namespace varnel::app
