#pragma once
// Receives the host's events through its connection point.
#include <functional>

#include "host/automation.h"
#include "win32/base/com_ptr.h"

namespace varnel::win {

// Advises a sink, answering the event interface that the host names, on
// source's connection point; the subscription unadvises. OpenDocument (by its
// DISPID in the host's type information) is HostEvent::designOpened, any
// other event of such a host is ignored; with no type information every
// event is HostEvent::unknown. The handler runs on this thread whenever it
// pumps messages, also while a call of its own waits; nothing it throws
// leaves the COM callback. Throws varnel::base::Error when the host cannot be
// subscribed to (no connection point, or Advise refused).
host::Subscription subscribeToEvents(IDispatch* source,
                                     std::function<void(host::HostEvent)> handler);

}  // namespace varnel::win
