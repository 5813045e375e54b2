// Before an all-components run, every component whose number lies in the
// range the run will give is moved to a temporary number above every number
// in use, so that numbering never meets a name still to be renamed.
#include "model/designator.h"
#include "renumber/planning.h"

namespace varnel {

void Planning::moveConflictsAside() {
  const int count = allNames_.usedCount();
  Int16 max = 0;
  for (int i = 0; i < count; ++i) max = std::max(max, designator::wholeNumber(allNames_[i]));
  const Int16 tempBase = add16(max, 1);
  Int16 movedCount = 0;
  const std::int64_t start = settings_.start;
  const std::int64_t last = start + design_.count();  // one past the run's last number
  for (int i = 0; i < count; ++i) {
    const std::string& name = allNames_[i];
    const std::int64_t n = designator::wholeNumber(name);
    if (n < start || n > last || designator::endsInLetter(name)) continue;
    const std::int32_t position = i + 1;  // the entry's own component
    const Int16 temporary = add16(start, add16(tempBase, movedCount));
    // Below start 1 a temporary number can meet one in use: take a free one.
    const std::string target = firstFreeName(
        designator::compose(designator::prefix(design_.designatorAt(position)), temporary), "");
    rename(position, target, RenameReason::movedAside);
    movedCount = add16(movedCount, 1);
  }
}

}  // namespace varnel
