#pragma once
#include <windows.h>
#include <unknwn.h>

namespace varnel::standin {

// Registered in the running object table while it lives.
class RunningObject {
 public:
  RunningObject(IUnknown* object, const CLSID& clsid);
  RunningObject(const RunningObject&) = delete;
  RunningObject& operator=(const RunningObject&) = delete;
  ~RunningObject();

 private:
  DWORD cookie_ = 0;
};

}  // namespace varnel::standin
