// SiirraTielta: before an all-components run, every component whose number
// lies in the range the run will give is moved to a temporary number above
// every number in use.
#include "model/designator.h"
#include "engine/frm_ren_part.h"

namespace varnel {

void frmRenPart::SiirraTielta() {
  const int count = allNames.usedCount();
  Int16 max = 0;
  for (int i = 0; i < count; ++i)
    if (chInt(allNames[i]) > max) max = chInt(allNames[i]);
  const Int16 tempBase = add16(max, 1);
  Int16 movedCount = 0;

  for (int i = 0; i < count; ++i) {
    const std::string& name = allNames[i];
    const std::int64_t n = chInt(name);
    const std::int64_t start = startNumber();
    const std::int64_t last = start + partList->Count();  // one past the run's last number
    if (n < start || n > last || OnkoPelkkiaKirjaimia(name)) continue;
    auto part = partList->Item(name);
    const Int16 temporary = add16(start, add16(tempBase, movedCount));
    // Below start 1 a temporary number can meet one in use: take a free one.
    const std::string target = firstFreeDesignator(renPrt(part->Name(), temporary), "");
    renameRecorded(*part, name, target);
    movedCount = add16(movedCount, 1);
  }
}

std::string frmRenPart::firstFreeDesignator(const std::string& candidate,
                                            const std::string& ownName) {
  const std::string prefix = designator::prefix(candidate);
  Int16 number = designator::wholeNumber(candidate);
  std::string name = candidate;
  const auto own = order::plainNumber(ownName);
  const bool ownHere = own && own->first == prefix;
  while (name != ownName) {
    if (rememberUsedNumbers) {
      if (auto end = knownUsed.runEnd(prefix, number)) {
        // The walk would stop at the component's own name inside the run.
        if (ownHere && number <= own->second && own->second <= *end) return ownName;
        number = add16(*end, 1);
        name = designator::compose(prefix, number);
        continue;
      }
    }
    if (!CheckAll(name)) break;
    if (rememberUsedNumbers && name == designator::compose(prefix, number))
      knownUsed.add(prefix, number);
    number = add16(number, 1);
    name = designator::compose(prefix, number);
  }
  return name;
}

}  // namespace varnel
