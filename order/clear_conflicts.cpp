// SiirraTielta: before an all-components run, every component whose number
// lies in the range the run will give is moved to a temporary number above
// every number in use.
#include "engine/designator.h"
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
  std::string name = candidate;
  while (name != ownName && CheckAll(name)) {
    const auto number = designator::numberValue(designator::numberPart(name)).value_or(0);
    name = designator::compose(prefix, add16(number, 1));
  }
  return name;
}

}  // namespace varnel
