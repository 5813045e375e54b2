#pragma once
// The strict stand-in PowerLogic: the same design and behaviour as the loose
// one, served the way a commercial automation server serves it. Its objects
// come from a type library, with DISPIDs of their own per class; its events
// come through a dispinterface of its own (SelectionChanged, then
// OpenDocument) whose connection point takes only sinks that answer that
// IID; each open design has its own document object, disconnected when
// another design opens; ActiveDocument is empty with no design loaded;
// component lists also offer _NewEnum; errors come back through IErrorInfo.
#include <memory>

#include "standin/memory_host.h"
#include "win32/base/com_ptr.h"

namespace varnel::standin {

// Registers the type library (and so the marshalling of its interfaces)
// first; throws varnel::base::Error when that fails.
win::ComPtr<IDispatch> serveStrictApplication(std::shared_ptr<MemoryHost> host);

}  // namespace varnel::standin
