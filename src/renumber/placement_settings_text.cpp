#include "renumber/placement_settings_text.h"

#include <cstdlib>

#include "base/blanks.h"
#include "base/error.h"
#include "base/error_numbers.h"
#include "renumber/placement_order.h"

namespace varnel::renumber {

namespace {

template <typename Value>
Value parseChoice(const char* field, const std::string& text, const std::vector<Choice>& choices) {
  return static_cast<Value>(choiceIndex(field, text, choices));
}

std::string trimmed(const std::string& text) {
  return std::string(base::trimBlanks(text));
}

// Digits, and at most one point among or after them.
bool isPlainNumber(const std::string& text) {
  bool digit = false, point = false;
  for (const char c : text) {
    if (c >= '0' && c <= '9')
      digit = true;
    else if (c == '.' && !point)
      point = true;
    else
      return false;
  }
  return digit;
}

}  // namespace

std::size_t choiceIndex(const char* field, const std::string& text,
                        const std::vector<Choice>& choices) {
  if (const auto index = indexOf(choices, text)) return *index;
  std::string words;
  for (const Choice& choice : choices)
    words += std::string(words.empty() ? "" : " or ") + choice.word;
  throw FieldRefusal(field, "\"" + text + "\" is not one of " + words + ".");
}

const std::vector<Choice>& orderChoices() {
  static const std::vector<Choice> choices{{"columns-first", "Columns first"},
                                           {"rows-first", "Rows first"}};
  return choices;
}

const std::vector<Choice>& acrossChoices() {
  static const std::vector<Choice> choices{{"left-to-right", "Left to right"},
                                           {"right-to-left", "Right to left"}};
  return choices;
}

const std::vector<Choice>& downChoices() {
  static const std::vector<Choice> choices{{"top-to-bottom", "Top to bottom"},
                                           {"bottom-to-top", "Bottom to top"}};
  return choices;
}

std::optional<std::size_t> indexOf(const std::vector<Choice>& choices, const std::string& word) {
  for (std::size_t k = 0; k < choices.size(); ++k)
    if (word == choices[k].word) return k;
  return std::nullopt;
}

Lines parseOrder(const std::string& text) {
  return parseChoice<Lines>(kOrderField, text, orderChoices());
}
Across parseAcross(const std::string& text) {
  return parseChoice<Across>(kAcrossField, text, acrossChoices());
}
Down parseDown(const std::string& text) {
  return parseChoice<Down>(kDownField, text, downChoices());
}

double parseGrid(const std::string& text, const char* field) {
  const std::string number = trimmed(text);
  if (number.empty()) return 0;
  const double grid = isPlainNumber(number) ? std::strtod(number.c_str(), nullptr) : -1;
  if (grid < 0 || grid > 1000000)
    throw FieldRefusal(field,
                       "\"" + number + "\" is not a number from 0 to 1000000 (0 rounds nothing).");
  return grid;
}

const char* wordOf(Lines lines) {
  return orderChoices()[static_cast<std::size_t>(lines)].word;
}
const char* wordOf(Across across) {
  return acrossChoices()[static_cast<std::size_t>(across)].word;
}
const char* wordOf(Down down) {
  return downChoices()[static_cast<std::size_t>(down)].word;
}

std::string gridText(double grid) {
  return coordinateText(grid);
}

std::string placementOptionText(const PlacementSettings& placement) {
  const PlacementSettings defaults;
  std::string text;
  if (placement.lines != defaults.lines) text += std::string(" --order ") + wordOf(placement.lines);
  if (placement.across != defaults.across)
    text += std::string(" --across ") + wordOf(placement.across);
  if (placement.down != defaults.down) text += std::string(" --down ") + wordOf(placement.down);
  if (placement.grid != defaults.grid) text += " --grid " + gridText(placement.grid);
  return text;
}

std::string placementWords(const PlacementSettings& placement) {
  auto lower = [](const Choice& choice) {
    std::string words = choice.label;
    words[0] = static_cast<char>(words[0] - 'A' + 'a');
    return words;
  };
  std::string words = lower(orderChoices()[static_cast<std::size_t>(placement.lines)]) + ", " +
                      lower(acrossChoices()[static_cast<std::size_t>(placement.across)]) + ", " +
                      lower(downChoices()[static_cast<std::size_t>(placement.down)]);
  if (placement.grid > 0) words += "; grid " + gridText(placement.grid);
  return words;
}

}  // namespace varnel::renumber
