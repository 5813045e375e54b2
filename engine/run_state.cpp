// Filling, querying and emptying the run's name tables.
#include "engine/frm_ren_part.h"

namespace varnel {

void frmRenPart::tallennakaikki() {
  Int16 i = 1;
  int k = 0;
  while (i <= partList->Count()) {
    allNames.set(k, partList->Item(i)->Name());
    i = add16(i, 1);
    ++k;
  }
}

void frmRenPart::TalletaSelected() {
  Int16 i = 1;
  int k = 0;
  do {
    auto part = partList->Item(i);
    if (part->Selected()) selectedNames.set(k++, part->Name());
    i = add16(i, 1);
  } while (i <= partList->Count());
}

bool frmRenPart::CheckAll(const std::string& component) {
  return !partList->Item(component).empty();
}

Int16 frmRenPart::HowManySelected() {
  auto list = powerlogicdoc->CurrentScope()->Components();
  Int16 n = 0;
  // Every position, the last one included.
  for (Int16 i = 1; i <= list->Count(); i = add16(i, 1))
    if (list->Item(i)->Selected()) n = add16(n, 1);
  return n;
}

void frmRenPart::tyhjenna() {
  position = 1;
  selectedDone = numberOffset = ignoredCount = 0;
  oldCount = newCount = 0;
  ignoredNames.clear();
  oldNames.clear();
  allNames.clear();
  selectedNames.clear();
  newNames.clear();
  ecoMemory.clear();
  forgetSeen();
}

void frmRenPart::forgetSeen() {
  knownUsed.clear();
  listNames.clear();
}

host::Ref<host::ComponentList> frmRenPart::chooseComponentList() {
  return componentListFor(powerlogicdoc->Scopes()->Count());
}

host::Ref<host::ComponentList> frmRenPart::componentListFor(std::int32_t scopeCount) {
  if (scopeCount > 1) return powerlogicdoc->Components();
  return powerlogicdoc->CurrentScope()->Components();
}

}  // namespace varnel
