// The designator operations against their stated properties.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "model/designator.h"

namespace {

bool allLetters(const std::string& text) {
  for (char c : text)
    if (c < 'A' || c > 'Z') return false;
  return true;
}

void check(bool property) {
  if (!property) std::abort();
}

// [+-]?[0-9]+ whose value fits 16 bits, with blanks (space, tab) around it.
bool isStartNumber(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.pop_back();
  const std::size_t blanks = text.find_first_not_of(" \t");
  if (blanks == std::string::npos) return false;
  text.erase(0, blanks);
  const bool negative = text[0] == '-';
  const std::size_t digits = negative || text[0] == '+' ? 1 : 0;
  if (text.size() == digits) return false;
  long long value = 0;
  for (std::size_t i = digits; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = std::min(value * 10 + (text[i] - '0'), 100000LL);
  }
  return (negative ? -value : value) >= -32768 && (negative ? -value : value) <= 32767;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const varnel::base::Int16 number = static_cast<varnel::base::Int16>(data[0] | (data[1] << 8));
  const std::string part(reinterpret_cast<const char*>(data + 2), size - 2);
  namespace designator = varnel::model::designator;
  const std::string code = designator::prefix(part);
  check(allLetters(code) && part.rfind(code, 0) == 0);
  check(code.size() == part.size() || !designator::isLetter(part[code.size()]));
  const std::string_view tail = designator::numberPart(part);
  check(code + std::string(tail) == part);
  const varnel::base::Int16 value = designator::wholeNumber(part);
  if (const auto parsed = designator::numberValue(tail))
    check(*parsed == value);
  else
    check(value == 0);
  check(designator::endsInLetter(part) == (!part.empty() && designator::isLetter(part.back())));
  const std::string renamed = designator::withNumber(part, number);
  check(renamed == code + std::to_string(number));
  check(designator::wholeNumber(renamed) == number && designator::prefix(renamed) == code);
  // The start box takes exactly the whole numbers it can hold.
  const auto start = designator::parseStartNumber(part);
  check(start.has_value() == isStartNumber(part));
  if (start) check(std::to_string(*start) == std::to_string(std::stoll(part)));
  return 0;
}
