#include "eco/placement_columns.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "base/blanks.h"

namespace varnel::eco {

namespace {

constexpr double kMil = 0.0254, kInch = 25.4;

// Column names as compared: lower case, without blanks, hyphens or underscores.
std::string key(std::string_view name) {
  std::string out;
  for (const char c : name)
    if (c != ' ' && c != '\t' && c != '-' && c != '_')
      out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// In the order that decides between several matching columns: the centre
// first, then the reference point, then the first pad.
constexpr std::array kDesignatorNames{"ref",  "reference", "refdes",    "designator",
                                      "part", "name",      "component", "compname"};
constexpr std::array kXNames{"midx", "centerx", "centrex", "posx", "x",
                             "xpos", "symbolx", "refx",    "padx"};
constexpr std::array kYNames{"midy", "centery", "centrey", "posy", "y",
                             "ypos", "symboly", "refy",    "pady"};
constexpr std::array kSideNames{"side", "layer", "tb", "mirror", "boardside"};

template <std::size_t N>
std::optional<std::size_t> rankIn(const std::array<const char*, N>& names, const std::string& k) {
  for (std::size_t i = 0; i < N; ++i)
    if (k == names[i]) return i;
  return std::nullopt;
}

bool isColumnName(const std::string& k) {
  return rankIn(kDesignatorNames, k) || rankIn(kXNames, k) || rankIn(kYNames, k) ||
         rankIn(kSideNames, k);
}

using base::trimBlanks;

// A name's unit in brackets at its end ("Center-X(mm)", "X [mil]"), taken off the name.
std::optional<double> takeUnit(std::string& name) {
  const std::size_t open = name.find_last_of("([");
  if (open == std::string::npos || (name.back() != ')' && name.back() != ']')) return std::nullopt;
  const auto unit =
      unitNamed(trimBlanks(std::string_view(name).substr(open + 1, name.size() - open - 2)));
  if (unit) name = std::string(trimBlanks(std::string_view(name).substr(0, open)));
  return unit;
}

char separatorChar(Separator separator) {
  switch (separator) {
    case Separator::tab:
      return '\t';
    case Separator::comma:
      return ',';
    case Separator::semicolon:
      return ';';
    case Separator::bang:
      return '!';
    case Separator::blanks:
      break;
  }
  return ' ';
}

// Fields split at every separator outside double quotes; "" inside quotes
// is one quote. Text after a field's closing quote up to the separator is
// kept with it.
std::vector<Field> charFields(std::string_view line, char separator) {
  std::vector<Field> fields;
  std::size_t i = 0;
  while (true) {
    Field field{{}, i, i};
    std::size_t k = i;
    while (k < line.size() && (line[k] == ' ' || line[k] == '\t') && line[k] != separator) ++k;
    if (k < line.size() && line[k] == '"') {
      for (++k; k < line.size(); ++k) {
        if (line[k] == '"' && k + 1 < line.size() && line[k + 1] == '"') {
          field.text += '"';
          ++k;
        } else if (line[k] == '"') {
          ++k;
          break;
        } else {
          field.text += line[k];
        }
      }
      const std::size_t next = std::min(line.find(separator, k), line.size());
      field.text += trimBlanks(line.substr(k, next - k));
      k = next;
    } else {
      k = std::min(line.find(separator, i), line.size());
      field.text = std::string(trimBlanks(line.substr(i, k - i)));
    }
    field.end = k;
    fields.push_back(std::move(field));
    if (k >= line.size()) return fields;
    i = k + 1;
  }
}

// Names of two words ("Ref Des", "Mid X", "Board Side") joined, and a unit
// in brackets after a name ("X (mm)") joined to it; nothing joined when
// joining would lose a column a header needs ("Ref X Y").
std::vector<Field> joinNames(const std::vector<Field>& words, bool joinPairs) {
  std::vector<Field> names;
  for (std::size_t i = 0; i < words.size(); ++i) {
    Field name = words[i];
    if (joinPairs && i + 1 < words.size() && isColumnName(key(name.text + words[i + 1].text))) {
      name.text += " " + words[i + 1].text;
      name.end = words[++i].end;
    }
    if (i + 1 < words.size() &&
        (words[i + 1].text.front() == '(' || words[i + 1].text.front() == '[')) {
      name.text += words[i + 1].text;
      name.end = words[++i].end;
    }
    names.push_back(std::move(name));
  }
  return names;
}

Separator separatorOf(std::string_view line) {
  if (line.find('\t') != std::string_view::npos) return Separator::tab;
  if (line.find(',') != std::string_view::npos) return Separator::comma;
  if (line.find(';') != std::string_view::npos) return Separator::semicolon;
  if (line.find('!') != std::string_view::npos) return Separator::bang;
  return Separator::blanks;
}

std::vector<Field> fieldsOf(std::string_view line, Separator separator) {
  return separator == Separator::blanks ? blankFields(line)
                                        : charFields(line, separatorChar(separator));
}

// Where each of the designator, X, Y and side columns is, by the rank of
// its name; false when one of the first three is missing.
bool findColumns(PlacementHeader& header) {
  std::optional<std::size_t> best[4], rank[4];
  for (std::size_t c = 0; c < header.columns.size(); ++c) {
    std::string name = header.columns[c].text;
    const auto unit = takeUnit(name);
    const std::string k = key(name);
    const std::optional<std::size_t> ranks[4] = {rankIn(kDesignatorNames, k), rankIn(kXNames, k),
                                                 rankIn(kYNames, k), rankIn(kSideNames, k)};
    for (int kind = 0; kind < 4; ++kind) {
      if (!ranks[kind] || (rank[kind] && *rank[kind] <= *ranks[kind])) continue;
      rank[kind] = ranks[kind];
      best[kind] = c;
      if (kind == 1) header.xUnit = unit;
      if (kind == 2) header.yUnit = unit;
      if (kind == 3) header.sideIsMirror = k == "mirror";
    }
  }
  if (!best[0] || !best[1] || !best[2]) return false;
  header.designator = *best[0];
  header.x = *best[1];
  header.y = *best[2];
  header.side = best[3];
  return true;
}

// The column a blank-separated field belongs to: the one whose name it
// overlaps most, else the one whose stretch of the line holds its middle.
std::size_t columnOf(const Field& field, const std::vector<Field>& columns) {
  std::size_t best = 0, overlap = 0;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const std::size_t from = std::max(field.begin, columns[c].begin);
    const std::size_t to = std::min(field.end, columns[c].end);
    if (to > from && to - from > overlap) overlap = to - from, best = c;
  }
  if (overlap > 0) return best;
  const std::size_t middle = (field.begin + field.end) / 2;
  std::size_t c = 0;
  while (c + 1 < columns.size() && middle * 2 >= columns[c].end + columns[c + 1].begin) ++c;
  return c;
}

// The fields by the header's positions, or nothing when the row does not
// line up with it (two fields for one of the columns a row needs).
std::optional<std::vector<std::string>> byPosition(const std::vector<Field>& fields,
                                                   const PlacementHeader& header) {
  std::vector<std::string> row(header.columns.size());
  std::vector<int> count(header.columns.size());
  for (const Field& field : fields) {
    const std::size_t c = columnOf(field, header.columns);
    row[c] += (row[c].empty() ? "" : " ") + field.text;
    ++count[c];
  }
  for (const std::size_t needed : {header.designator, header.x, header.y})
    if (count[needed] != 1) return std::nullopt;
  return row;
}

}  // namespace

// Positions are counted in characters, not bytes, so that a row with a
// letter such as "µ" still lines up with its header.
std::vector<Field> blankFields(std::string_view line) {
  std::vector<Field> fields;
  std::size_t i = 0, column = 0;
  auto advance = [&] {
    if ((static_cast<unsigned char>(line[i++]) & 0xC0) != 0x80) ++column;
  };
  auto blankAt = [&](std::size_t k) { return line[k] == ' ' || line[k] == '\t'; };
  while (i < line.size()) {
    while (i < line.size() && blankAt(i)) advance();
    if (i == line.size()) break;
    Field field{{}, column, column};
    const bool quoted = line[i] == '"';
    if (quoted) advance();
    while (i < line.size() &&
           (quoted ? line[i] != '"' || (i + 1 < line.size() && line[i + 1] == '"') : !blankAt(i))) {
      if (quoted && line[i] == '"') advance();  // the first of two quotes
      field.text += line[i];
      advance();
    }
    if (quoted && i < line.size()) advance();
    field.end = column;
    fields.push_back(std::move(field));
  }
  return fields;
}

std::optional<PlacementHeader> recognizeHeader(std::string_view line) {
  std::string text(line);
  // A comment's marks give way to blanks, so that the names keep their places.
  const std::size_t first = text.find_first_not_of(" \t");
  if (first != std::string::npos && text[first] == '#')
    for (std::size_t i = first; i < text.size() && text[i] == '#'; ++i) text[i] = ' ';
  PlacementHeader header;
  header.separator = separatorOf(text);
  const std::vector<Field> words = fieldsOf(text, header.separator);
  if (header.separator != Separator::blanks) {
    header.columns = words;
    if (findColumns(header)) return header;
    return std::nullopt;
  }
  for (const bool joinPairs : {true, false}) {
    header.columns = joinNames(words, joinPairs);
    if (findColumns(header)) return header;
  }
  return std::nullopt;
}

std::vector<std::string> splitRow(std::string_view line, const PlacementHeader& header) {
  const std::vector<Field> fields = fieldsOf(line, header.separator);
  std::vector<std::string> row;
  if (header.separator == Separator::blanks) {
    if (auto lined = byPosition(fields, header)) return *lined;
  }
  for (const Field& field : fields) row.push_back(field.text);
  row.resize(std::max(row.size(), header.columns.size()));
  return row;
}

std::optional<double> unitNamed(std::string_view word) {
  const std::string k = key(word);
  if (k == "mm" || k == "millimeter" || k == "millimeters" || k == "millimetre" ||
      k == "millimetres")
    return 1.0;
  if (k == "mil" || k == "mils" || k == "thou") return kMil;
  if (k == "in" || k == "inch" || k == "inches") return kInch;
  return std::nullopt;
}

std::optional<double> unitOfLine(std::string_view line) {
  std::string lower;
  for (const char c : line) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  const std::size_t at = lower.find("unit");
  if (at == std::string::npos) return std::nullopt;
  // Only "s" and "used" stand between "unit" and its ':' or '=', so that a
  // title that speaks of a unit is not taken for a units line.
  const std::size_t mark = lower.find_first_of(":=", at);
  if (mark == std::string::npos) return std::nullopt;
  const std::string between = key(std::string_view(lower).substr(at + 4, mark - at - 4));
  if (!between.empty() && between != "s" && between != "used" && between != "sused")
    return std::nullopt;
  std::size_t i = mark + 1;
  while (i < lower.size() && !std::isalpha(static_cast<unsigned char>(lower[i]))) ++i;
  std::size_t end = i;
  while (end < lower.size() && std::isalpha(static_cast<unsigned char>(lower[end]))) ++end;
  return unitNamed(std::string_view(lower).substr(i, end - i));
}

}  // namespace varnel::eco
