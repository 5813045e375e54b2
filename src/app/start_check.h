#pragma once
// The start-number check of the Run button.
#include <string>

#include "model/designator.h"

namespace varnel::ui {

// True when the start text is illegal: empty, 0, or not a whole number from
// -32768 to 32767 (letters, fractions, exponents, blanks inside the number).
inline bool CheckTextBox(const std::string& text) {
  const auto number = designator::parseStartNumber(text);
  return !number || *number == 0;
}

}  // namespace varnel::ui
