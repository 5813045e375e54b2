#pragma once
// The in-memory design served over IDispatch as "PowerLogic.Application",
// with the OpenDocument event through a connection point.
#include <memory>

#include "standin/memory_host.h"
#include "win32/base/com_ptr.h"

namespace varnel::standin {

// The loose stand-in's events come through plain IDispatch, as those of
// hosts without type information for them do: clients cannot tell its
// events apart. OpenDocument(Doc) is its DISPID 1, SelectionChanged 2.
inline constexpr const IID& kLooseEventsIid = IID_IDispatch;
inline constexpr long kLooseOpenDocumentDispid = 1;
inline constexpr long kLooseSelectionChangedDispid = 2;

// The application object. It raises OpenDocument to its advised sinks
// whenever the host opens a design.
win::ComPtr<IDispatch> serveApplication(std::shared_ptr<MemoryHost> host);

}  // namespace varnel::standin
