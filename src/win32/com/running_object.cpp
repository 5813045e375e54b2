#include "win32/com/running_object.h"

#include "base/error.h"
#include "win32/com/com_error.h"

namespace varnel::win {

ComPtr<IDispatch> attachRunning(const wchar_t* progId) {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(progId, &clsid))) throw base::errors::cannotCreateObject();
  ComPtr<IUnknown> running;
  if (FAILED(GetActiveObject(clsid, nullptr, running.receive())))
    throw base::errors::cannotCreateObject();
  ComPtr<IDispatch> object;
  const HRESULT result = running.query(IID_IDispatch, object);
  if (FAILED(result)) throw comError(result);
  return object;
}

}  // namespace varnel::win
