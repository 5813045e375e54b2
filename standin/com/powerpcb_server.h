#pragma once
// The stand-in layout served over IDispatch as "PowerPCB.Application":
// ActiveDocument, and ReadEcoFile on the document.
#include <cstdint>
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
  // Before each call a client makes, with the call's number from 1 and its
  // name: the crash sweep holds one of them (call_watch.h).
  std::function<void(std::int64_t number, const char* operation)> called;
  std::int64_t calls = 0;
  int filesRead = 0;
};

win::ComPtr<IDispatch> servePcbApplication(std::shared_ptr<PcbModel> model);

}  // namespace varnel::standin
