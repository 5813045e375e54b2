#pragma once
// Numbering by board position as the command line, the registry and the
// journal write it (--board FILE --sides top --bottom-start 101) and as the
// Numbering options window words it.
#include <optional>
#include <string>
#include <vector>

#include "renumber/board_settings.h"
#include "renumber/placement_settings_text.h"

namespace varnel::renumber {

// The fields, as the window labels them and the refusals begin.
inline constexpr const char* kBoardFileField = "Placement file";
inline constexpr const char* kBottomFileField = "Bottom side's file";
inline constexpr const char* kSidesField = "Sides";
inline constexpr const char* kBottomStartField = "Bottom side starts at";
inline constexpr const char* kBottomViewField = "Bottom side seen from";
inline constexpr const char* kBoardGridField = "Board grid";

const std::vector<Choice>& sidesChoices();       // both, top, bottom
const std::vector<Choice>& bottomViewChoices();  // below, above

// Error 1007 naming the field, as the other numbering options refuse.
Sides parseSides(const std::string& text);
bool parseSeenFromBelow(const std::string& text);
// Empty: the count goes on; otherwise a whole number from 1 to 32767.
std::optional<base::Int16> parseBottomStart(const std::string& text);
// The placement file's path, blanks around it taken off; refused when empty.
std::string parseBoardFile(const std::string& text);

const char* wordOf(Sides sides);
std::string bottomStartText(const std::optional<base::Int16>& start);

// The settings as command-line options, each after a blank, the placement
// order and the grid always written: ` --board "C:\pcb\board.pos" --sides top
// --order columns-first --across left-to-right --down top-to-bottom --grid 1`.
std::string boardOptionText(const BoardSettings& board);

}  // namespace varnel::renumber
