#pragma once
// Reference designators (R12, IC105, TP): a prefix of the letters A-Z, then a
// number part that is the rest of the text, unchanged. Pure functions.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/int16.h"

namespace varnel::model::designator {

// Only A-Z are letters; lower case, accented letters and digits are not.
inline bool isLetter(char c) {
  return c >= 'A' && c <= 'Z';
}

// The longest run of letters at the start. Throws error 6 when that run is
// 32767 letters or longer (positions are counted in 16 bits).
std::string prefix(std::string_view part);

// True when part's prefix is exactly prefix (prefix(part) == prefix).
bool hasPrefix(std::string_view part, std::string_view prefix);

// Everything after the prefix; empty when the designator is letters only.
std::string_view numberPart(std::string_view part);

// True when the last character is a letter (TP, U1A); false for "".
bool endsInLetter(std::string_view name);
// True when name begins with a capital letter A to Z: only such a name has
// a prefix a run can count (an empty name, "r7" or "1" has none).
inline bool beginsWithLetter(std::string_view name) {
  return !name.empty() && isLetter(name.front());
}

// The value of a number part as the host's text-to-number conversion reads
// it: blanks around it, a sign and a fraction (rounded half to even) are
// allowed. Nothing when it is not a number or does not fit 16 bits.
std::optional<base::Int16> numberValue(std::string_view text);

// The number part's value as the run counts it: 0 when it is empty or not a
// whole number in 16 bits.
base::Int16 wholeNumber(std::string_view part);

// The prefix followed by number in decimal ("R" and -2 give "R-2").
std::string compose(std::string_view prefix, std::int64_t number);

// The designator's prefix with another number ("R17" and 5 give "R5").
// Throws error 6 as prefix() does.
inline std::string withNumber(std::string_view designator, std::int64_t number) {
  return compose(prefix(designator), number);
}

// The start-number box: a whole number in 16 bits, digits with an optional
// sign, blanks around them allowed as numberValue allows them; no fraction,
// exponent or hexadecimal. Nothing for any other text.
std::optional<base::Int16> parseStartNumber(std::string_view text);
// True when text is a start number a run accepts: a whole number from
// -32768 to 32767 other than 0 (blanks around it and a sign allowed).
bool isLegalStartText(std::string_view text);

}  // namespace varnel::model::designator
