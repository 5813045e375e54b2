#include "engine/frm_ren_part.h"

namespace varnel {

frmRenPart::frmRenPart(Platform platform) : platform_(platform) {}

}  // namespace varnel
