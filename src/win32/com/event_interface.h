#pragma once
// Finding a host's event interface the way COM's contracts let a client:
// from the host's class information, else from its connection points; and
// the DISPID of OpenDocument in it from its type information, where the
// host publishes any.
#include <ocidl.h>

#include <optional>

#include "win32/base/com_ptr.h"

namespace varnel::win {

struct EventInterface {
  ComPtr<IConnectionPoint> point;      // the host's connection point for it
  IID iid{};                           // what the sink must answer
  std::optional<DISPID> openDocument;  // none: no type information for it
};

// The IID comes from IProvideClassInfo2 (GUIDKIND_DEFAULT_SOURCE_DISP_IID),
// else the default source of the coclass's type info (IProvideClassInfo),
// else the first connection point's GetConnectionInterface. OpenDocument is
// looked up by name in the coclass's type info of that interface, else in
// the type library registered for it (HKCR\Interface\{IID}\TypeLib).
// Throws varnel::base::Error when the host has no connection point.
EventInterface findEventInterface(IDispatch* source);

}  // namespace varnel::win
