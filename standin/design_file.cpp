#include "standin/design_file.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace varnel::standin {

namespace {

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view trim(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && isBlank(line[i])) ++i;
    const std::size_t start = i;
    while (i < line.size() && !isBlank(line[i])) ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

bool parseNumber(std::string_view text, double& value) {
  if (text.empty() || text.size() > 64) return false;
  const std::string copy(text);
  char* end = nullptr;
  errno = 0;
  value = std::strtod(copy.c_str(), &end);
  return end == copy.c_str() + copy.size() && errno == 0 && std::isfinite(value);
}

class Parser {
 public:
  Parser(std::string_view text, const std::string& fileName) : text_(text), file_(fileName) {}

  DesignData parse() {
    while (nextLine()) {
      if (!haveName_)
        parseDesignLine();
      else if (!sawPart_ && !sawScopes_ && startsWithWord("scopes"))
        parseScopesLine();
      else
        parsePartLine();
    }
    if (!haveName_) fail("expected 'design NAME', got the end of the file");
    return std::move(design_);
  }

 private:
  bool nextLine() {
    while (offset_ <= text_.size()) {
      const std::size_t end = std::min(text_.find('\n', offset_), text_.size());
      line_ = trim(text_.substr(offset_, end - offset_));
      offset_ = end + 1;
      ++lineNumber_;
      if (!line_.empty() && line_.front() != '#') return true;
    }
    return false;
  }

  [[noreturn]] void fail(const std::string& what) const {
    throw DesignFileError(file_ + ":" + std::to_string(lineNumber_) + ": " + what);
  }

  std::string got(std::string_view field) const { return ", got '" + std::string(field) + "'"; }

  bool startsWithWord(std::string_view word) const {
    return line_.substr(0, word.size()) == word &&
           (line_.size() == word.size() || isBlank(line_[word.size()]));
  }

  void parseDesignLine() {
    if (!startsWithWord("design")) fail("expected 'design NAME'" + got(line_));
    design_.name = std::string(trim(line_.substr(6)));
    haveName_ = true;
  }

  void parseScopesLine() {
    const auto fields = splitFields(line_);
    double count = 0;
    if (fields.size() != 2 || !parseNumber(fields[1], count) || count < 0 ||
        count != std::floor(count) || count > 2147483647.0)
      fail("expected 'scopes N' with N a whole number" + got(line_));
    design_.scopes = static_cast<std::int32_t>(count);
    sawScopes_ = true;
  }

  void parsePartLine() {
    const auto fields = splitFields(line_);
    if (fields.size() < 3 || fields.size() > 4)
      fail("expected 'DESIGNATOR X Y' optionally followed by 'selected'" + got(line_));
    PartData part;
    part.designator = fields[0] == "\"\"" ? std::string() : std::string(fields[0]);
    if (!parseNumber(fields[1], part.x)) fail("expected X coordinate" + got(fields[1]));
    if (!parseNumber(fields[2], part.y)) fail("expected Y coordinate" + got(fields[2]));
    if (fields.size() == 4) {
      if (fields[3] != "selected")
        fail("expected 'selected' or the end of the line" + got(fields[3]));
      part.selected = true;
    }
    design_.parts.push_back(std::move(part));
    sawPart_ = true;
  }

  std::string_view text_;
  std::string file_;
  std::size_t offset_ = 0;
  int lineNumber_ = 0;
  std::string_view line_;
  DesignData design_;
  bool haveName_ = false, sawScopes_ = false, sawPart_ = false;
};

}  // namespace

DesignData parseDesign(std::string_view text, const std::string& fileName) {
  return Parser(text, fileName).parse();
}

std::string shortestNumberText(double value) {
  char text[400];
  // Plain digits for ordinary sheet coordinates, an exponent for the extremes.
  const double magnitude = std::fabs(value);
  const auto format = magnitude == 0 || (magnitude >= 1e-5 && magnitude < 1e15)
                          ? std::chars_format::fixed
                          : std::chars_format::scientific;
  const auto result = std::to_chars(text, text + sizeof text, value, format);
  return std::string(text, result.ptr);
}

std::string formatDesign(const DesignData& design) {
  std::ostringstream out;
  out << "design " << design.name << '\n';
  if (design.scopes != 1) out << "scopes " << design.scopes << '\n';
  for (const PartData& part : design.parts) {
    out << (part.designator.empty() ? std::string("\"\"") : part.designator) << ' '
        << shortestNumberText(part.x) << ' ' << shortestNumberText(part.y);
    if (part.selected) out << " selected";
    out << '\n';
  }
  return out.str();
}

DesignData loadDesignFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw DesignFileMissing(path + ": cannot open the file for reading");
  std::ostringstream content;
  content << in.rdbuf();
  return parseDesign(content.str(), path);
}

void saveDesignFile(const DesignData& design, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << formatDesign(design);
  out.flush();
  if (!out) throw DesignFileError(path + ": cannot write the file");
}

}  // namespace varnel::standin
