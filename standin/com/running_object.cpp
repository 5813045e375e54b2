#include "standin/com/running_object.h"

#include "win32/com/com_error.h"

namespace varnel::standin {

RunningObject::RunningObject(IUnknown* object, const CLSID& clsid) {
  const HRESULT result = RegisterActiveObject(object, clsid, ACTIVEOBJECT_STRONG, &cookie_);
  if (FAILED(result)) throw win::comError(result);
}

RunningObject::~RunningObject() {
  RevokeActiveObject(cookie_, nullptr);
}

}  // namespace varnel::standin
