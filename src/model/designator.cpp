#include "model/designator.h"

#include <cmath>

#include "base/blanks.h"
#include "base/error.h"

namespace varnel::model::designator {

namespace {

constexpr std::size_t kLongestPrefix = 32766;  // the 16-bit counter's limit

std::size_t prefixLength(std::string_view part) {
  std::size_t length = 0;
  while (length < part.size() && isLetter(part[length])) ++length;
  return length;
}

using base::isBlank;

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

using base::trimBlanks;

// Digits, then optionally "." and more digits; at least one digit in all.
bool isDecimal(std::string_view text) {
  std::size_t i = 0, digits = 0;
  while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
  }
  return digits > 0 && i == text.size();
}

}  // namespace

std::string prefix(std::string_view part) {
  const std::size_t length = prefixLength(part);
  if (length > kLongestPrefix)
    throw base::Error(base::errors::kOverflow,
                      "Overflow: a designator begins with more than 32766 letters");
  return std::string(part.substr(0, length));
}

std::string_view numberPart(std::string_view part) {
  return part.substr(prefixLength(part));
}

bool hasPrefix(std::string_view part, std::string_view prefix) {
  return part.substr(0, prefix.size()) == prefix && prefixLength(part) == prefix.size();
}

bool endsInLetter(std::string_view name) {
  return !name.empty() && isLetter(name.back());
}

std::optional<base::Int16> numberValue(std::string_view text) {
  text = trimBlanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (!isDecimal(text) || text.size() > 64) return std::nullopt;
  if (text.find('.') == std::string_view::npos && text.size() <= 9) {
    // Plain digits, as the engine writes them: no floating point needed.
    long value = 0;
    for (char c : text) value = value * 10 + (c - '0');
    if (negative) value = -value;
    if (!base::fitsInt16(value)) return std::nullopt;
    return static_cast<base::Int16>(value);
  }
  const double magnitude = std::strtod(std::string(text).c_str(), nullptr);
  const double rounded = std::nearbyint(negative ? -magnitude : magnitude);  // half to even
  if (rounded < -32768.0 || rounded > 32767.0) return std::nullopt;
  return static_cast<base::Int16>(rounded);
}

base::Int16 wholeNumber(std::string_view part) {
  return numberValue(numberPart(part)).value_or(0);
}

std::string compose(std::string_view prefix, std::int64_t number) {
  return std::string(prefix) + std::to_string(number);
}

std::optional<base::Int16> parseStartNumber(std::string_view text) {
  text = trimBlanks(text);
  const bool negative = !text.empty() && text.front() == '-';
  const bool sign = negative || (!text.empty() && text.front() == '+');
  std::string_view digits = sign ? text.substr(1) : text;
  if (digits.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (char c : digits) {
    if (!isDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > 32768) return std::nullopt;
  }
  if (negative) value = -value;
  if (!base::fitsInt16(value)) return std::nullopt;
  return static_cast<base::Int16>(value);
}

bool isLegalStartText(std::string_view text) {
  const auto number = parseStartNumber(text);
  return number && *number != 0;
}

}  // namespace varnel::model::designator
