// AssignNext: another designator of the same prefix for a designator in use.
// It walks the stretch of the component list that holds the wanted prefix,
// from its first member, and stops at the first gap above the wanted number
// or after the stretch's last member.
#include "model/designator.h"
#include "engine/frm_ren_part.h"

namespace varnel {

namespace {

// The first entry of names with the prefix, or -1; never reads past the table.
int firstWithPrefix(frmRenPart& form, const std::string& prefix) {
  for (int k = 0; k < NameTable::kCapacity && !form.allNames[k].empty(); ++k)
    if (designator::hasPrefix(form.allNames[k], prefix)) return k;
  return -1;
}

}  // namespace

std::string frmRenPart::AssignNext(const std::string& component) {
  // A flag left by an earlier parse must not end the walk early.
  noNumber = false;
  const std::string wantedPrefix = GetCode(component);
  auto list = chooseComponentList();
  const Int16 count = toInt16(list->Count());
  const int first = firstWithPrefix(*this, wantedPrefix);
  if (first < 0) return designator::compose(wantedPrefix, add16(chInt(component), 1));
  const Int16 wanted = chInt(component);

  // Names by position, from what this run has read where it may.
  auto nameAt = [&](int position) -> order::ListName {
    if (rememberUsedNumbers)
      if (const order::ListName* known = listNames.at(position)) return *known;
    std::string name = list->Item(position)->Name();
    if (rememberUsedNumbers) listNames.remember(position, name);
    return order::ListName(std::move(name));
  };
  Int16 pos = toInt16(first + 1);
  order::ListName previous = pos > 1 ? nameAt(pos - 1) : order::ListName();
  order::ListName cur;
  std::string result;
  for (;;) {
    if (pos <= count) cur = nameAt(pos);
    if (pos == count + 1) {  // a: past the last item
      result = designator::compose(wantedPrefix, add16(cur.number, 1));
      break;
    }
    if (!designator::hasPrefix(cur.name, wantedPrefix)) {  // b: the stretch has ended
      // The item before has nothing after its letters: the walk goes on.
      if (previous.hasNumber) {
        result = designator::compose(wantedPrefix, add16(previous.number, 1));
        break;
      }
    } else if (pos > 1) {  // c: a gap above the wanted number
      const Int16 below = add16(cur.number, -1);
      if (below != previous.number && wanted < cur.number) {
        result = designator::compose(wantedPrefix, below);
        break;
      }
    }
    previous = std::move(cur);
    pos = add16(pos, 1);
  }
  noNumber = false;
  return result;
}

}  // namespace varnel
