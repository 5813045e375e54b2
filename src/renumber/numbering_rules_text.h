#pragma once
// The numbering rules as the designer types them, in the options window, on
// the command line and in the registry: entries split by blanks or commas.
//   locked designators   J1-J8 TP* U100
//   only these prefixes  R C L
//   start per prefix     R=100 C=200 TP=900
// Each parser throws error 1007 naming the first entry it cannot take; each
// text function writes what its parser reads back.
#include <map>
#include <string>
#include <vector>

#include "renumber/board_settings_text.h"
#include "renumber/numbering_rules.h"
#include "renumber/placement_settings_text.h"

namespace varnel::renumber {

// The field names, as the window labels them and the refusals begin.
inline constexpr const char* kLockedField = "Locked designators";
inline constexpr const char* kOnlyField = "Only these prefixes";
inline constexpr const char* kStartForField = "Start number per prefix";

std::vector<LockEntry> parseLocked(const std::string& text);
std::vector<std::string> parseOnlyPrefixes(const std::string& text);
std::map<std::string, base::Int16> parseStartFor(const std::string& text);

std::string lockedText(const std::vector<LockEntry>& entries);
std::string onlyPrefixesText(const std::vector<std::string>& prefixes);
std::string startForText(const std::map<std::string, base::Int16>& starts);

// The four rules and the placement order as texts, as the options window
// and the registry hold them.
struct RulesTexts {
  bool keepRight = false;
  std::string locked, only, startFor;
  std::string order = wordOf(Lines::columnsFirst);
  std::string across = wordOf(Across::leftToRight);
  std::string down = wordOf(Down::topToBottom);
  std::string grid = "0";
  // Numbering by board position: chosen or not, the texts are kept, so that
  // the file chosen once is there when the board is chosen again.
  bool byBoard = false;
  std::string boardFile = "";
  std::string bottomFile = "";
  std::string sides = wordOf(Sides::both);
  std::string bottomStart = "";
  std::string bottomView = "below";
  std::string boardGrid = "1";

  bool operator==(const RulesTexts&) const = default;
};

// Every field parsed; error 1007 for the first entry not understood.
NumberingRules parseRules(const RulesTexts& texts);
// The texts of rules; numbering by the sheet, the board's texts of kept.
RulesTexts textsOf(const NumberingRules& rules, const RulesTexts& kept = {});

// The rules that differ from the defaults as command-line options, each
// after a blank: ` --keep-right --lock "J1-J8 TP*" --only "R C"`; empty when
// all are at their defaults. Not the placement order (placementOptionText). The Preview's locks for
// one run are among the locked names, so that the journal says what the run kept.
std::string rulesOptionText(const NumberingRules& rules);

}  // namespace varnel::renumber
