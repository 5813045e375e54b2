// Free names of a prefix: the walk of the list's stretch that holds the
// prefix, and the search for the first number no component bears.
#include "base/error.h"
#include "model/designator.h"
#include "renumber/planning.h"

namespace varnel {

namespace {

// The first entry of names with the prefix, or -1.
int firstWithPrefix(const NameTable& names, const std::string& prefix) {
  for (int k = 0; k < NameTable::kCapacity && !names[k].empty(); ++k)
    if (designator::hasPrefix(names[k], prefix)) return k;
  return -1;
}

}  // namespace

std::string Planning::nextFreeName(const std::string& wantedName) {
  const std::string prefix = designator::prefix(wantedName);
  const Int16 count = toInt16(design_.count());
  // The stretch is found in the names as the run first read them.
  const int first = firstWithPrefix(allNames_, prefix);
  if (first < 0) return designator::compose(prefix, add16(designator::wholeNumber(wantedName), 1));
  const Int16 wanted = designator::wholeNumber(wantedName);
  Int16 position = toInt16(first + 1);
  // The walk renames nothing: the parsed names it points at stay put.
  static const ListName kNone;
  const ListName* previous = position > 1 ? &nameAt(position - 1) : &kNone;
  Int16 lastNumber = 0;  // of the last name read
  for (;;) {
    if (position == count + 1)  // past the last item
      return designator::compose(prefix, add16(lastNumber, 1));
    const ListName& current = nameAt(position);
    lastNumber = current.number;
    if (!designator::hasPrefix(current.name, prefix)) {
      // The stretch has ended; an item with nothing after its letters lets the walk go on.
      if (previous->hasNumber) return designator::compose(prefix, add16(previous->number, 1));
    } else if (position > 1) {  // a gap above the wanted number
      const Int16 below = add16(current.number, -1);
      if (below != previous->number && wanted < current.number)
        return designator::compose(prefix, below);
    }
    previous = &current;
    position = add16(position, 1);
  }
}

std::string Planning::firstFreeName(const std::string& candidate, const std::string& ownName) {
  const std::string prefix = designator::prefix(candidate);
  Int16 number = designator::wholeNumber(candidate);
  std::string name = candidate;
  const auto own = order::plainNumber(ownName);
  const bool ownHere = own && own->first == prefix;
  while (name != ownName) {
    if (auto end = knownUsed_.runEnd(prefix, number)) {
      // The walk would stop at the component's own name inside the run.
      if (ownHere && number <= own->second && own->second <= *end) return ownName;
      number = add16(*end, 1);
      name = designator::compose(prefix, number);
      continue;
    }
    if (!design_.isInUse(name)) break;
    if (name == designator::compose(prefix, number)) knownUsed_.add(prefix, number);
    number = add16(number, 1);
    name = designator::compose(prefix, number);
  }
  return name;
}

}  // namespace varnel
