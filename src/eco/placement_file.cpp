#include "eco/placement_file.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "base/blanks.h"
#include "base/error.h"
#include "eco/placement_columns.h"
#include "eco/text_decoding.h"

namespace varnel::eco {

namespace {

// Exporters write a title, the date, the unit and the like before the
// header; the header comes within this many lines or not at all.
constexpr std::size_t kHeaderLines = 40;

std::string lowerTrimmed(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const bool blank = c == ' ' || c == '\t';
    if (blank && (out.empty() || out.back() == ' ')) continue;
    out += blank ? ' ' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

bool isBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

bool isComment(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  return first != std::string_view::npos && line[first] == '#';
}

// "## End" closes the data of KiCad's files.
bool endsData(std::string_view line) {
  const std::size_t first = line.find_first_not_of(" \t");
  if (first == std::string_view::npos || !line.substr(first).starts_with("##")) return false;
  const std::string text = lowerTrimmed(line.substr(first));
  const std::size_t word = text.find_first_not_of('#');
  // A line of hashes alone is a comment rule, not the end of the data.
  return word != std::string::npos && lowerTrimmed(text.substr(word)).starts_with("end");
}

// A rule of '=' or '-' drawn under a header.
bool isRule(std::string_view line) {
  return line.find_first_not_of(" \t-=_*,;!") == std::string_view::npos;
}

using base::trimBlanks;

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  const std::string_view tail = text.substr(text.size() - suffix.size());
  return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == b;
  });
}

// The unit a value ends in, taken off it; millimetres per unit.
std::optional<double> takeSuffix(std::string_view& value) {
  static const std::pair<std::string_view, double> kSuffixes[] = {
      {"mils", 0.0254}, {"mil", 0.0254}, {"mm", 1.0}, {"inch", 25.4}, {"in", 25.4}, {"\"", 25.4}};
  for (const auto& [suffix, unit] : kSuffixes) {
    if (!endsWithNoCase(value, suffix)) continue;
    value = trimBlanks(value.substr(0, value.size() - suffix.size()));
    return unit;
  }
  return std::nullopt;
}

// A length in millimetres: a signed number padded with blanks, in unit or
// in the unit it ends in; in a semicolon-separated file a comma is the
// decimal point.
std::optional<double> lengthOf(std::string_view text, double unit, bool decimalComma) {
  std::string_view value = trimBlanks(text);
  if (const auto own = takeSuffix(value)) unit = *own;
  std::string copy;
  if (decimalComma && value.find(',') != std::string_view::npos) {
    copy = std::string(value);
    std::replace(copy.begin(), copy.end(), ',', '.');
    value = copy;
  }
  if (value.starts_with('+')) value.remove_prefix(1);
  double number = 0;
  const auto [end, failure] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || failure != std::errc() || end != value.data() + value.size() ||
      !std::isfinite(number * unit))
    return std::nullopt;
  return number * unit;
}

std::optional<model::BoardSide> sideNamed(std::string_view text, bool mirror) {
  static const std::unordered_set<std::string> kTop{"top",  "t",        "front",
                                                    "f.cu", "toplayer", "top layer"};
  static const std::unordered_set<std::string> kBottom{
      "bottom", "b", "back", "b.cu", "bottomlayer", "bottom layer", "bot", "m"};
  const std::string value = lowerTrimmed(text);
  if (kTop.contains(value) || (mirror && value.empty())) return model::BoardSide::top;
  if (kBottom.contains(value)) return model::BoardSide::bottom;
  return std::nullopt;
}

class PlacementReader {
 public:
  PlacementReader(std::string_view bytes, const std::string& name,
                  std::optional<model::BoardSide> side)
      : text_(decodeText(bytes)), lines_(splitLines(text_)), name_(name), side_(side) {
    lineOf_.reserve(lines_.size());
    placement_.parts.reserve(lines_.size());
  }

  model::BoardPlacement read() {
    if (std::all_of(lines_.begin(), lines_.end(), isBlank)) throw refusal(name_ + " is empty.");
    if (auto found = findHeader())
      readRows(found->first + 1, found->second);
    else
      readHeaderless();
    if (placement_.parts.empty()) throw refusal(name_ + " places no part.");
    return std::move(placement_);
  }

 private:
  base::Error refusal(const std::string& why) const {
    return base::errors::refusal(base::errors::kPlacementFile, why);
  }
  base::Error refusalAt(std::size_t index, const std::string& why) const {
    return refusal(name_ + ", line " + std::to_string(index + 1) + ": " + why + ".");
  }

  // The header's line and the header; the last units line before it says
  // the unit of the columns that name none.
  std::optional<std::pair<std::size_t, PlacementHeader>> findHeader() {
    for (std::size_t i = 0; i < std::min(lines_.size(), kHeaderLines); ++i) {
      if (auto header = recognizeHeader(lines_[i])) return std::make_pair(i, *header);
      if (auto unit = unitOfLine(lines_[i])) unit_ = *unit;
    }
    return std::nullopt;
  }

  double lengthAt(std::size_t index, const std::string& value, const char* axis,
                  std::optional<double> unit, bool decimalComma) const {
    if (auto length = lengthOf(value, unit.value_or(unit_), decimalComma)) return *length;
    throw refusalAt(index,
                    std::string("the ") + axis + " position \"" + value + "\" is not a number");
  }

  void readRows(std::size_t first, const PlacementHeader& header) {
    const bool decimalComma = header.separator == Separator::semicolon;
    for (std::size_t i = first; i < lines_.size(); ++i) {
      const std::string_view line = lines_[i];
      if (endsData(line)) break;
      if (isBlank(line) || isComment(line) || isRule(line)) continue;
      const std::vector<std::string> row = splitRow(line, header);
      if (row[header.designator].empty()) {
        ++placement_.emptyDesignators;
        continue;
      }
      model::BoardPart part{
          row[header.designator], lengthAt(i, row[header.x], "X", header.xUnit, decimalComma),
          lengthAt(i, row[header.y], "Y", header.yUnit, decimalComma), sideOfRow(i, header, row)};
      add(std::move(part), i);
    }
  }

  model::BoardSide sideOfRow(std::size_t index, const PlacementHeader& header,
                             const std::vector<std::string>& row) const {
    if (side_) return *side_;
    if (!header.side) return sideOfFileName(name_);
    const std::string& value = row[*header.side];
    if (auto side = sideNamed(value, header.sideIsMirror)) return *side;
    throw refusalAt(index, "the side \"" + value + "\" is neither top nor bottom");
  }

  // Every line NAME X Y [ROTATION ...]; the first must be one, or the file
  // is not a placement file at all.
  void readHeaderless() {
    const model::BoardSide side = side_.value_or(sideOfFileName(name_));
    bool first = true;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
      if (isBlank(lines_[i]) || isComment(lines_[i])) continue;
      const std::vector<Field> fields = blankFields(lines_[i]);
      const bool placed = fields.size() >= 3 && lengthOf(fields[1].text, unit_, false) &&
                          lengthOf(fields[2].text, unit_, false);
      if (first && !placed)
        throw refusal(name_ + " has no column of designators and X and Y positions in its first " +
                      std::to_string(kHeaderLines) + " lines.");
      first = false;
      if (fields.size() < 3) throw refusalAt(i, "the row has no X and Y position");
      add({fields[0].text, lengthAt(i, fields[1].text, "X", {}, false),
           lengthAt(i, fields[2].text, "Y", {}, false), side},
          i);
    }
  }

  // One designator twice at one place is one part; at two places, a file
  // the run cannot trust.
  void add(model::BoardPart part, std::size_t index) {
    const auto [seen, isNew] = lineOf_.try_emplace(part.designator, index, placement_.parts.size());
    if (isNew) {
      placement_.parts.push_back(std::move(part));
      return;
    }
    const model::BoardPart& before = placement_.parts[seen->second.second];
    if (before.side == part.side && std::abs(before.x - part.x) < 1e-9 &&
        std::abs(before.y - part.y) < 1e-9)
      return;
    throw refusalAt(index, part.designator +
                               " is placed twice, here and at another place on line " +
                               std::to_string(seen->second.first + 1));
  }

  std::string text_;
  std::vector<std::string_view> lines_;
  std::string name_;
  std::optional<model::BoardSide> side_;
  double unit_ = 1.0;  // millimetres
  model::BoardPlacement placement_;
  // By designator: the line it was read from and where it stands in placement_.
  std::unordered_map<std::string, std::pair<std::size_t, std::size_t>> lineOf_;
};

}  // namespace

model::BoardPlacement readPlacementFile(std::string_view bytes, const std::string& name,
                                        std::optional<model::BoardSide> side) {
  return PlacementReader(bytes, name, side).read();
}

model::BoardSide sideOfFileName(const std::string& name) {
  const std::size_t slash = name.find_last_of("/\\");
  const std::string file = lowerTrimmed(slash == std::string::npos ? name : name.substr(slash + 1));
  if (file.ends_with(".mnb")) return model::BoardSide::bottom;
  // The words of the name, split at anything but letters and digits.
  std::string word;
  for (const char c : file + ".") {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      word += c;
      continue;
    }
    if (word == "bot" || word == "bottom" || word == "back" || word == "bottomside" ||
        word == "backside")
      return model::BoardSide::bottom;
    word.clear();
  }
  return model::BoardSide::top;
}

model::BoardPlacement combinedPlacement(model::BoardPlacement top, const std::string& topName,
                                        const model::BoardPlacement& bottom,
                                        const std::string& bottomName) {
  std::unordered_set<std::string> placed;
  for (const model::BoardPart& part : top.parts) placed.insert(part.designator);
  for (const model::BoardPart& part : bottom.parts) {
    if (placed.contains(part.designator))
      throw base::errors::refusal(
          base::errors::kPlacementFile,
          part.designator + " is placed by both " + topName + " and " + bottomName + ".");
    top.parts.push_back(part);
  }
  top.emptyDesignators += bottom.emptyDesignators;
  return top;
}

}  // namespace varnel::eco
