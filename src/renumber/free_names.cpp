#include "renumber/free_names.h"

#include <climits>

#include "base/error.h"
#include "model/designator.h"

namespace varnel::renumber {

namespace {

// The prefix as hasPrefix compares it, without prefix()'s length check.
std::string_view leadingLetters(std::string_view name) {
  std::size_t length = 0;
  while (length < name.size() && model::designator::isLetter(name[length])) ++length;
  return name.substr(0, length);
}

// A stop the walk reaches only to fail there: its number less one overflows.
constexpr int kFailsHere = INT_MAX;

}  // namespace

FreeNames::FreeNames(const model::WorkingDesign& design, const model::NameTable& allNames)
    : design_(design), allNames_(allNames), parsed_(design.count() + 1) {}

void FreeNames::renamed(std::int32_t position, const std::string& from, const std::string& to) {
  if (const auto freed = plainNumber(from)) knownUsed_.remove(freed->first, freed->second);
  if (const auto taken = plainNumber(to)) knownUsed_.add(taken->first, taken->second);
  parsed_[position].reset();
  updateStops(position, from);
}

void FreeNames::restart() {
  firstPositions_.clear();
  firstPositionsRead_ = false;
  stretches_.clear();
}

const ListName& FreeNames::nameAt(std::int32_t position) {
  auto& name = parsed_[position];
  if (!name) name.emplace(design_.designatorAt(position));
  return *name;
}

std::string FreeNames::nextFreeName(const std::string& wantedName) {
  const std::string prefix = model::designator::prefix(wantedName);
  const auto first = firstPositionOf(prefix);
  if (!first)
    return model::designator::compose(prefix,
                                      base::add16(model::designator::wholeNumber(wantedName), 1));
  const base::Int16 wanted = model::designator::wholeNumber(wantedName);
  const Stretch& stretch = stretchOf(prefix, *first);
  // The first gap whose upper number is above the wanted one: the number below it.
  if (const auto stop = stretch.stops.firstAbove(0, wanted))
    return model::designator::compose(prefix,
                                      base::add16(nameAt(stretch.start + *stop).number, -1));
  // None: one more than the last item read, whether the stretch or the list ended.
  return model::designator::compose(prefix, base::add16(nameAt(stretch.end - 1).number, 1));
}

// What stops a walk for prefix at position: a member of the prefix whose
// number is not one more than the number before it stops the walk when the
// wanted number is below its own, so its key is its number.
int FreeNames::gapKey(std::int32_t position, const std::string& prefix) {
  const ListName& current = nameAt(position);
  if (position <= 1 || !model::designator::hasPrefix(current.name, prefix))
    return FirstAboveTree::kNever;
  if (current.number == INT16_MIN) return kFailsHere;
  if (current.number - 1 != nameAt(position - 1).number) return current.number;
  return FirstAboveTree::kNever;
}

// The walk from start goes on to the first item of another prefix that
// follows a name with a number (an item with nothing after its letters lets
// it go on), or past the last item.
FreeNames::Stretch& FreeNames::stretchOf(const std::string& prefix, std::int32_t start) {
  if (const auto built = stretches_.find(prefix); built != stretches_.end()) return built->second;
  std::int32_t end = start;
  for (; end <= design_.count(); ++end) {
    const bool otherPrefix = !model::designator::hasPrefix(nameAt(end).name, prefix);
    if (otherPrefix && end > 1 && nameAt(end - 1).hasNumber) break;
  }
  std::vector<int> keys;
  keys.reserve(end - start);
  for (std::int32_t position = start; position < end; ++position)
    keys.push_back(gapKey(position, prefix));
  return stretches_.emplace(prefix, Stretch{start, end, FirstAboveTree(keys)}).first->second;
}

// The walk begins at the first of the names as the run first read them.
std::optional<std::int32_t> FreeNames::firstPositionOf(const std::string& prefix) {
  if (!firstPositionsRead_) {
    // Every position: a component without a designator leaves an empty entry.
    for (std::int32_t k = 0; k < design_.count(); ++k)
      firstPositions_.emplace(leadingLetters(allNames_[k]), k + 1);
    firstPositionsRead_ = true;
  }
  const auto found = firstPositions_.find(prefix);
  if (found == firstPositions_.end()) return std::nullopt;
  return found->second;
}

// A rename changes the key of its own position and of the one after it,
// which compares its number with it. Where a stretch ends depends on the
// prefixes and on which names have a number: a rename that changes either
// (the run's own renames never do) sends the stretches to be found again.
void FreeNames::updateStops(std::int32_t position, const std::string& oldName) {
  const std::string& newName = nameAt(position).name;
  if (leadingLetters(oldName) != leadingLetters(newName) ||
      model::designator::numberPart(oldName).empty() !=
          model::designator::numberPart(newName).empty()) {
    stretches_.clear();
    return;
  }
  for (std::int32_t at = position; at <= position + 1 && at <= design_.count(); ++at) {
    const std::string prefix(leadingLetters(nameAt(at).name));
    const auto found = stretches_.find(prefix);
    if (found == stretches_.end()) continue;
    Stretch& stretch = found->second;
    if (at >= stretch.start && at < stretch.end)
      stretch.stops.set(at - stretch.start, gapKey(at, prefix));
  }
}

std::string FreeNames::firstFreeName(const std::string& candidate, const std::string& ownName) {
  const std::string prefix = model::designator::prefix(candidate);
  base::Int16 number = model::designator::wholeNumber(candidate);
  std::string name = candidate;
  const auto own = plainNumber(ownName);
  const bool ownHere = own && own->first == prefix;
  while (name != ownName) {
    if (auto end = knownUsed_.runEnd(prefix, number)) {
      // The walk would stop at the component's own name inside the run.
      if (ownHere && number <= own->second && own->second <= *end) return ownName;
      number = base::add16(*end, 1);
      name = model::designator::compose(prefix, number);
      continue;
    }
    if (!design_.isInUse(name)) break;
    if (name == model::designator::compose(prefix, number)) knownUsed_.add(prefix, number);
    number = base::add16(number, 1);
    name = model::designator::compose(prefix, number);
  }
  return name;
}

}  // namespace varnel::renumber
