#include "renumber/numbering_rules.h"

#include <algorithm>

#include "model/designator.h"

namespace varnel::renumber {

namespace {

bool locks(const LockEntry& entry, const std::string& designator) {
  switch (entry.kind) {
    case LockEntry::Kind::name:
      return designator == entry.text;
    case LockEntry::Kind::prefix:
      return model::designator::hasPrefix(designator, entry.text);
    case LockEntry::Kind::range: {
      if (!model::designator::hasPrefix(designator, entry.text)) return false;
      // Only a plain number lies in a range: R5A and R05 name no number of it.
      const std::string_view number = model::designator::numberPart(designator);
      const auto value = model::designator::parseStartNumber(number);
      return value && model::designator::compose(entry.text, *value) == designator &&
             *value >= entry.low && *value <= entry.high;
    }
  }
  return false;
}

}  // namespace

bool NumberingRules::holds(const std::string& designator) const {
  if (lockedForRun.contains(designator)) return true;
  if (std::any_of(locked.begin(), locked.end(),
                  [&](const LockEntry& entry) { return locks(entry, designator); }))
    return true;
  if (onlyPrefixes.empty()) return false;
  return std::find(onlyPrefixes.begin(), onlyPrefixes.end(),
                   model::designator::prefix(designator)) == onlyPrefixes.end();
}

base::Int16 NumberingRules::startOf(const std::string& prefix, base::Int16 runStart) const {
  const auto own = startFor.find(prefix);
  return own == startFor.end() ? runStart : own->second;
}

}  // namespace varnel::renumber
