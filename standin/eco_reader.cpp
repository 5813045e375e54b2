#include "standin/eco_reader.h"

#include <cstdint>

#include "base/error.h"
#include "eco/windows_1252.h"

namespace varnel::standin {

namespace {

class EcoLines {
 public:
  explicit EcoLines(std::string_view bytes) : bytes_(bytes) {}

  bool atEnd() const { return offset_ == bytes_.size(); }
  int number() const { return number_; }

  std::string_view next() {
    const auto end = bytes_.find("\r\n", offset_);
    if (end == std::string_view::npos) fail("every line must end with CR LF");
    std::string_view line = bytes_.substr(offset_, end - offset_);
    offset_ = end + 2;
    ++number_;
    return line;
  }

  void expect(std::string_view wanted) {
    const std::string_view line = next();
    if (line != wanted) fail("expected '" + std::string(wanted) + "'");
  }

  [[noreturn]] void fail(const std::string& what) const {
    throw base::Error(kMalformedEco, "ECO file line " + std::to_string(number_ + 1) + ": " + what);
  }

 private:
  std::string_view bytes_;
  std::size_t offset_ = 0;
  int number_ = 0;
};

std::string decoded(const EcoLines& lines, std::string_view name) {
  auto utf8 = eco::decodeWindows1252(name);
  if (!utf8) lines.fail("a byte with no character in Windows-1252");
  return *utf8;
}

EcoRename record(EcoLines& lines, std::string_view line) {
  const auto blank = line.find(' ');
  if (blank == std::string_view::npos || blank == 0 || blank + 1 == line.size() ||
      line.find(' ', blank + 1) != std::string_view::npos)
    lines.fail("expected a record 'OLD NEW' or '*END*'");
  for (unsigned char c : line)
    if (c < 0x20 || c == 0x7F) lines.fail("a control character in a record");
  return {decoded(lines, line.substr(0, blank)), decoded(lines, line.substr(blank + 1))};
}

}  // namespace

std::vector<EcoSection> readEco(std::string_view bytes) {
  EcoLines lines(bytes);
  std::vector<EcoSection> sections;
  do {
    if (!sections.empty()) lines.expect("");
    lines.expect("*PADS-ECO-V3.0-MILS*");
    lines.expect("");
    lines.expect("*RENPART*");
    lines.expect("*REMARK*  AUTORENUMBER");
    EcoSection& section = sections.emplace_back();
    for (std::string_view line = lines.next(); line != "*END*"; line = lines.next())
      section.push_back(record(lines, line));
  } while (!lines.atEnd());
  return sections;
}

}  // namespace varnel::standin
