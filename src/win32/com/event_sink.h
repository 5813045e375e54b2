#pragma once
// Receives the host's OpenDocument event through a connection point.
#include <functional>

#include "host/automation.h"
#include "win32/base/com_ptr.h"

namespace varnel::win {

// Advises a sink on source's connection point for the application events;
// the subscription unadvises. The handler runs on this thread whenever it
// pumps messages; nothing it throws leaves the COM callback.
host::Subscription adviseOpenDocument(IDispatch* source, std::function<void()> handler);

}  // namespace varnel::win
