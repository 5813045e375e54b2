// Tying the window to the design open in PowerLogic.
#include "engine/frm_ren_part.h"

namespace varnel {

void frmRenPart::takeComponentList() {
  if (powerlogicdoc->Scopes()->Count() > 1) partList = powerlogicdoc->Components();
  else partList = powerlogicdoc->CurrentScope()->FindObjects(1, "", 0);
  currentPart = partList->Item(1);
}

}  // namespace varnel
