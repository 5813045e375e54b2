// The window's designator procedures: the pure functions of designator.h
// plus the noNumber flag that AssignNext reads.
#include "model/designator.h"
#include "engine/frm_ren_part.h"

namespace varnel {

std::string frmRenPart::GetCode(const std::string& part) {
  return designator::prefix(part);
}

std::string frmRenPart::changeToNumber(const std::string& part) {
  const std::string_view tail = designator::numberPart(part);
  if (tail.empty()) {
    noNumber = true;
    return "0";
  }
  return std::string(tail);
}

Int16 frmRenPart::chInt(const std::string& component) {
  return designator::numberValue(changeToNumber(component)).value_or(0);
}

bool frmRenPart::OnkoPelkkiaKirjaimia(const std::string& name) {
  return designator::isAlphabetic(name);
}

std::string frmRenPart::renPrt(const std::string& partName, Int16 number) {
  std::string code = GetCode(partName);
  changeToNumber(partName);  // sets noNumber like every other parse
  return designator::compose(code, number);
}

}  // namespace varnel
