#pragma once
// The ECO file PowerPCB reads: sections of a fixed four-line header, one
// "OLD NEW" record line per rename and "*END*"; CR LF after every line. The
// log is split into sections so that no section holds two renames that
// collide: a rename starts a new section when its new name was given before
// (rule A), its old name was renamed before (rule B), or its old name was
// produced before (rule C); once for each rule that holds.
#include <string>
#include <vector>

namespace varnel::eco {

// Appends lines 1 to 4 of a section.
void appendSectionHeader(std::string& file);

// Indices of the log entries that start a new section, ascending, an index
// once for each rule that holds for it. O(n) with hashed sets.
std::vector<int> sectionBreaks(const std::vector<std::string>& oldNames,
                               const std::vector<std::string>& newNames);

// The whole file as text (names as given; encoding is the caller's).
std::string ecoText(const std::vector<std::string>& oldNames,
                    const std::vector<std::string>& newNames);

// Why a designator cannot stand in an ECO record line (empty, a blank or a
// control character), or an empty text when it can.
std::string unfitForEco(const std::string& name);

}  // namespace varnel::eco
