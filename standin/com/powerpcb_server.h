#pragma once
// The stand-in layout served over IDispatch as "PowerPCB.Application":
// ActiveDocument, and ReadEcoFile on the document.
#include <functional>
#include <memory>
#include <string>

#include "standin/design.h"
#include "win32/base/com_ptr.h"

namespace varnel::standin {

struct PcbModel {
  DesignData layout;
  std::function<void()> changed;  // after a file was read in
  std::function<void(const std::string& bytes)> fileRead;
  int filesRead = 0;
};

win::ComPtr<IDispatch> servePcbApplication(std::shared_ptr<PcbModel> model);

}  // namespace varnel::standin
