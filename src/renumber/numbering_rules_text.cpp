#include "renumber/numbering_rules_text.h"

#include <algorithm>

#include "base/blanks.h"
#include "base/error.h"
#include "model/designator.h"
#include "model/working_design.h"

namespace varnel::renumber {

namespace {

std::vector<std::string> entriesOf(const std::string& text) {
  std::vector<std::string> entries;
  std::string entry;
  for (const char c : text + " ") {
    if (c == ' ' || c == ',' || c == '\t') {
      if (!entry.empty()) entries.push_back(entry);
      entry.clear();
    } else {
      entry += c;
    }
  }
  return entries;
}

FieldRefusal notUnderstood(const char* field, const std::string& entry, const std::string& why) {
  return FieldRefusal(field, "\"" + entry + "\" " + why + ".");
}

bool isPrefix(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), model::designator::isLetter);
}

// LETTERS DIGITS: the prefix and the number; nothing for another text.
std::optional<std::pair<std::string, std::string>> plainDesignator(const std::string& text) {
  const std::string prefix = model::designator::prefix(text);
  const std::string digits = text.substr(prefix.size());
  if (prefix.empty() || digits.empty() ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return std::make_pair(prefix, digits);
}

LockEntry rangeEntry(const std::string& entry, std::size_t dash) {
  const auto low = plainDesignator(entry.substr(0, dash));
  const auto high = plainDesignator(entry.substr(dash + 1));
  if (!low || !high) throw notUnderstood(kLockedField, entry, "is not a range such as J1-J8");
  if (low->first != high->first)
    throw notUnderstood(kLockedField, entry, "joins two prefixes; a range keeps to one");
  const auto from = model::designator::numberValue(low->second);
  const auto to = model::designator::numberValue(high->second);
  if (!from || !to) throw notUnderstood(kLockedField, entry, "has a number above 32767");
  if (*from > *to)
    throw notUnderstood(kLockedField, entry, "runs backwards; the lower number comes first");
  return {LockEntry::Kind::range, low->first, *from, *to};
}

LockEntry lockEntry(const std::string& entry) {
  if (entry.back() == '*') {
    const std::string prefix = entry.substr(0, entry.size() - 1);
    if (!isPrefix(prefix))
      throw notUnderstood(kLockedField, entry,
                          "is not a prefix pattern such as TP* (capital letters, then *)");
    return {LockEntry::Kind::prefix, prefix};
  }
  if (const auto dash = entry.find('-'); dash != std::string::npos) return rangeEntry(entry, dash);
  if (entry.find('*') != std::string::npos || !model::isAcceptableDesignator(entry))
    throw notUnderstood(kLockedField, entry, "is not a designator");
  return {LockEntry::Kind::name, entry};
}

}  // namespace

std::vector<LockEntry> parseLocked(const std::string& text) {
  std::vector<LockEntry> entries;
  for (const std::string& entry : entriesOf(text)) entries.push_back(lockEntry(entry));
  return entries;
}

std::vector<std::string> parseOnlyPrefixes(const std::string& text) {
  std::vector<std::string> prefixes;
  for (const std::string& entry : entriesOf(text)) {
    if (!isPrefix(entry))
      throw notUnderstood(kOnlyField, entry, "is not a prefix (capital letters A to Z only)");
    if (std::find(prefixes.begin(), prefixes.end(), entry) == prefixes.end())
      prefixes.push_back(entry);
  }
  return prefixes;
}

std::map<std::string, base::Int16> parseStartFor(const std::string& text) {
  std::map<std::string, base::Int16> starts;
  for (const std::string& entry : entriesOf(text)) {
    const auto equals = entry.find('=');
    const std::string prefix = entry.substr(0, equals);
    if (equals == std::string::npos || !isPrefix(prefix))
      throw notUnderstood(kStartForField, entry, "is not a prefix and its start, such as R=100");
    const auto start = model::designator::parseStartNumber(entry.substr(equals + 1));
    if (!start || *start == 0)
      throw notUnderstood(kStartForField, entry,
                          "needs a whole number from -32768 to 32767 other than 0 after the =");
    if (!starts.emplace(prefix, *start).second)
      throw notUnderstood(kStartForField, entry, "gives " + prefix + " a second start");
  }
  return starts;
}

std::string lockedText(const std::vector<LockEntry>& entries) {
  std::string text;
  for (const LockEntry& entry : entries) {
    if (!text.empty()) text += ' ';
    if (entry.kind == LockEntry::Kind::name) text += entry.text;
    if (entry.kind == LockEntry::Kind::prefix) text += entry.text + "*";
    if (entry.kind == LockEntry::Kind::range)
      text += model::designator::compose(entry.text, entry.low) + "-" +
              model::designator::compose(entry.text, entry.high);
  }
  return text;
}

std::string onlyPrefixesText(const std::vector<std::string>& prefixes) {
  std::string text;
  for (const std::string& prefix : prefixes) text += (text.empty() ? "" : " ") + prefix;
  return text;
}

std::string startForText(const std::map<std::string, base::Int16>& starts) {
  std::string text;
  for (const auto& [prefix, start] : starts)
    text += (text.empty() ? "" : " ") + prefix + "=" + std::to_string(start);
  return text;
}

BoardSettings parseBoard(const RulesTexts& texts, const PlacementSettings& placement);

NumberingRules parseRules(const RulesTexts& texts) {
  NumberingRules rules;
  rules.keepRight = texts.keepRight;
  rules.locked = parseLocked(texts.locked);
  rules.onlyPrefixes = parseOnlyPrefixes(texts.only);
  rules.startFor = parseStartFor(texts.startFor);
  rules.placement = {parseOrder(texts.order), parseAcross(texts.across), parseDown(texts.down),
                     parseGrid(texts.grid)};
  if (texts.byBoard) rules.board = parseBoard(texts, rules.placement);
  return rules;
}

// The board's positions are in millimetres: its grid is its own, the
// placement order the sheet's.
BoardSettings parseBoard(const RulesTexts& texts, const PlacementSettings& placement) {
  BoardSettings board;
  board.file = parseBoardFile(texts.boardFile);
  board.bottomFile = std::string(base::trimBlanks(texts.bottomFile));
  board.sides = parseSides(texts.sides);
  board.bottomStart = parseBottomStart(texts.bottomStart);
  board.bottomSeenFromBelow = parseSeenFromBelow(texts.bottomView);
  board.placement = placement;
  board.placement.grid = parseGrid(texts.boardGrid, kBoardGridField);
  return board;
}

RulesTexts textsOf(const NumberingRules& rules, const RulesTexts& kept) {
  const PlacementSettings& p = rules.placement;
  RulesTexts texts{rules.keepRight,
                   lockedText(rules.locked),
                   onlyPrefixesText(rules.onlyPrefixes),
                   startForText(rules.startFor),
                   wordOf(p.lines),
                   wordOf(p.across),
                   wordOf(p.down),
                   gridText(p.grid)};
  if (!rules.board) {
    texts.boardFile = kept.boardFile;
    texts.bottomFile = kept.bottomFile;
    texts.sides = kept.sides;
    texts.bottomStart = kept.bottomStart;
    texts.bottomView = kept.bottomView;
    texts.boardGrid = kept.boardGrid;
    return texts;
  }
  const BoardSettings& board = *rules.board;
  texts.byBoard = true;
  texts.boardFile = board.file;
  texts.bottomFile = board.bottomFile;
  texts.sides = wordOf(board.sides);
  texts.bottomStart = bottomStartText(board.bottomStart);
  texts.bottomView = board.bottomSeenFromBelow ? "below" : "above";
  texts.boardGrid = gridText(board.placement.grid);
  return texts;
}

std::string rulesOptionText(const NumberingRules& rules) {
  std::vector<LockEntry> locked = rules.locked;
  for (const std::string& name : rules.lockedForRun)
    locked.push_back({LockEntry::Kind::name, name});
  std::string text;
  if (rules.keepRight) text += " --keep-right";
  if (!locked.empty()) text += " --lock \"" + lockedText(locked) + "\"";
  if (!rules.onlyPrefixes.empty())
    text += " --only \"" + onlyPrefixesText(rules.onlyPrefixes) + "\"";
  if (!rules.startFor.empty()) text += " --start-for \"" + startForText(rules.startFor) + "\"";
  return text;
}

}  // namespace varnel::renumber
