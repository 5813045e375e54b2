#pragma once
// The names of ECO files taken from the design's name.
#include <string>

namespace varnel::eco {

// The design's name up to its first period, then "eco" ("my.board.sch"
// gives "my.eco"; "board" gives "board.eco"). Only the last path component
// counts and characters a file name cannot hold become '_', so that the file
// stays directly in the temporary folder.
std::string forcedReadFileName(const std::string& designName);

// The name the save dialog proposes: the design's file name with ".eco"
// for its extension ("my.board.sch" gives "my.board.eco").
std::string proposedEcoFileName(const std::string& designName);

// The design's name as a file name that Windows takes as it stands: its last
// path component, characters a file name cannot hold as '_', trailing dots
// and blanks dropped, "design" when nothing is left, and a leading '_' for a
// device name ("con.sch" gives "_con.sch").
std::string fileNameOf(const std::string& designName);

}  // namespace varnel::eco
