#include "renumber/board_settings_text.h"

#include <algorithm>

#include "base/blanks.h"
#include "model/designator.h"

namespace varnel::renumber {

namespace {

std::string trimmed(const std::string& text) {
  return std::string(base::trimBlanks(text));
}

}  // namespace

const std::vector<Choice>& sidesChoices() {
  static const std::vector<Choice> choices{
      {"both", "Both sides"}, {"top", "Top only"}, {"bottom", "Bottom only"}};
  return choices;
}

const std::vector<Choice>& bottomViewChoices() {
  static const std::vector<Choice> choices{{"below", "Seen from below"},
                                           {"above", "Seen from above"}};
  return choices;
}

Sides parseSides(const std::string& text) {
  return static_cast<Sides>(choiceIndex(kSidesField, trimmed(text), sidesChoices()));
}

bool parseSeenFromBelow(const std::string& text) {
  return choiceIndex(kBottomViewField, trimmed(text), bottomViewChoices()) == 0;
}

std::optional<base::Int16> parseBottomStart(const std::string& text) {
  if (trimmed(text).empty()) return std::nullopt;
  const auto start = model::designator::parseStartNumber(text);
  if (!start || *start < 1)
    throw FieldRefusal(kBottomStartField, "\"" + trimmed(text) +
                                              "\" is not a whole number from 1 to 32767 (empty: "
                                              "the count goes on).");
  return start;
}

std::string parseBoardFile(const std::string& text) {
  const std::string path = trimmed(text);
  if (path.empty())
    throw FieldRefusal(kBoardFileField, "choose the placement file the layout exported.");
  return path;
}

const char* wordOf(Sides sides) {
  return sidesChoices()[static_cast<std::size_t>(sides)].word;
}

std::string bottomStartText(const std::optional<base::Int16>& start) {
  return start ? std::to_string(*start) : "";
}

std::string boardOptionText(const BoardSettings& board) {
  std::string text = " --board \"" + board.file + "\"";
  if (!board.bottomFile.empty()) text += " --board-bottom \"" + board.bottomFile + "\"";
  if (board.sides != Sides::both) text += std::string(" --sides ") + wordOf(board.sides);
  if (board.bottomStart) text += " --bottom-start " + std::to_string(*board.bottomStart);
  if (!board.bottomSeenFromBelow) text += " --bottom-view above";
  const PlacementSettings& p = board.placement;
  return text + " --order " + wordOf(p.lines) + " --across " + wordOf(p.across) + " --down " +
         wordOf(p.down) + " --grid " + gridText(p.grid);
}

}  // namespace varnel::renumber
