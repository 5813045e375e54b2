#pragma once
// The placement order's choices as the command line, the registry and the
// journal write them (columns-first, right-to-left, ...) and as the options
// window words them, and the grid as a number of the host's units.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "renumber/placement_settings.h"

namespace varnel::renumber {

inline constexpr const char* kOrderField = "Order";
inline constexpr const char* kAcrossField = "Across";
inline constexpr const char* kDownField = "Down";
inline constexpr const char* kGridField = "Grid";

// A text of the Numbering options that cannot be taken: error 1007, whose
// text begins with the field's name, and the field itself, so that the
// options window can select the field it is about.
class FieldRefusal : public base::Error {
 public:
  FieldRefusal(const char* field, const std::string& why)
      : base::Error(base::errors::kNumberingRule, std::string(field) + ": " + why), field_(field) {}
  const char* field() const noexcept { return field_; }

 private:
  const char* field_;
};

// One choice: its word on the command line and its words in the window.
struct Choice {
  const char* word;
  const char* label;
};

// In the order of each enum's values.
const std::vector<Choice>& orderChoices();
const std::vector<Choice>& acrossChoices();
const std::vector<Choice>& downChoices();
// Where word stands among choices; nothing when it is none of them.
std::optional<std::size_t> indexOf(const std::vector<Choice>& choices, const std::string& word);
// The same, or error 1007 naming field and the words it may be.
std::size_t choiceIndex(const char* field, const std::string& text,
                        const std::vector<Choice>& choices);

// Error 1007 naming the field and the text for a word not among its choices,
// or a grid that is not a number from 0 to 1000000.
Lines parseOrder(const std::string& text);
Across parseAcross(const std::string& text);
Down parseDown(const std::string& text);
double parseGrid(const std::string& text, const char* field = kGridField);

const char* wordOf(Lines lines);
const char* wordOf(Across across);
const char* wordOf(Down down);
std::string gridText(double grid);

// The choices that differ from the defaults as command-line options, each
// after a blank (` --order rows-first --grid 25`); empty at the defaults.
std::string placementOptionText(const PlacementSettings& placement);
// In words for the Preview ("rows first, right to left, bottom to top; grid 25").
std::string placementWords(const PlacementSettings& placement);

}  // namespace varnel::renumber
