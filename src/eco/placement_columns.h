#pragma once
// The header row of a placement file and how its rows split into fields.
// Exporters name their columns in many ways (Ref, RefDes, Designator; Mid X,
// Center-X(mm), PosX, symbol_x, Ref X, Pad X), separate them by tabs,
// commas, semicolons, '!' or aligned runs of blanks, and may name the unit
// in the header.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace varnel::eco {

enum class Separator { tab, comma, semicolon, bang, blanks };

// A field of a line and where it stands in it.
struct Field {
  std::string text;  // without its quotes and surrounding blanks
  std::size_t begin = 0;
  std::size_t end = 0;
};

struct PlacementHeader {
  Separator separator = Separator::blanks;
  std::vector<Field> columns;
  std::size_t designator = 0, x = 0, y = 0;
  std::optional<std::size_t> side;
  bool sideIsMirror = false;  // a Mirror column: empty is the top side
  // Millimetres per unit, when the X or Y column's name gives its unit.
  std::optional<double> xUnit, yUnit;
};

// The header a line is, when it names a designator, an X and a Y column; a
// header may be a comment ("# Ref Val PosX PosY").
std::optional<PlacementHeader> recognizeHeader(std::string_view line);

// The line's fields, one a column of header; missing fields are empty.
// Blank-separated rows are read by the header's column positions where they
// line up with it, so that an empty field or one holding blanks keeps its
// place.
std::vector<std::string> splitRow(std::string_view line, const PlacementHeader& header);

// The fields of a line split by tabs or by runs of blanks, quotes honoured.
std::vector<Field> blankFields(std::string_view line);

// Millimetres per unit the word names (mm, mil, in, inch, millimeters ...).
std::optional<double> unitNamed(std::string_view word);
// The unit a line before the header names: "Units used: mil", "## Unit = mm,
// Angle = deg.", "UUNITS = MILLIMETERS".
std::optional<double> unitOfLine(std::string_view line);

}  // namespace varnel::eco
