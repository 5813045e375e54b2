// The record of renames and the ECO writer's scratch set.
#include "engine/frm_ren_part.h"

namespace varnel {

void frmRenPart::TallennaMuuttamaton(const std::string& component) {
  oldNames.push_back(component);
  ++oldCount;
}

void frmRenPart::TallennaMuutettu(const std::string& component) {
  newNames.push_back(component);
  ++newCount;
}

bool frmRenPart::checkEcomuisti(const std::string& nimi) {
  // The empty name counts as found: it ends the log and is never handled.
  return nimi.empty() || ecoMemory.count(nimi) > 0;
}

void frmRenPart::TyhjennaEcomuisti() {
  ecoMemory.clear();
}

void frmRenPart::renameRecorded(host::Component& component, const std::string& oldName,
                                const std::string& newName) {
  TallennaMuuttamaton(oldName);
  try {
    component.setName(newName);
  } catch (...) {
    // The rename did not happen: the log must not claim it did.
    oldNames.pop_back();
    --oldCount;
    throw;
  }
  std::string reported;
  try {
    reported = component.Name();
  } catch (...) {
    // The host took the new name but could not say so: log what it took.
    TallennaMuutettu(newName);
    forgetSeen();
    throw;
  }
  TallennaMuutettu(reported);
  if (const auto freed = order::plainNumber(oldName)) knownUsed.remove(freed->first, freed->second);
  if (const auto taken = order::plainNumber(reported)) knownUsed.add(taken->first, taken->second);
  listNames.renamed(oldName, reported);
}

}  // namespace varnel
