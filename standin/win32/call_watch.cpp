#include "standin/win32/call_watch.h"

#include <cstring>

#include "win32/base/text.h"

namespace varnel::standin {

MappedView watchedCallsView(const std::wstring& name, win::KernelHandle& mapping) {
  mapping = win::KernelHandle(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                 sizeof(WatchedCalls), name.c_str()));
  if (!mapping.get()) return MappedView();
  return MappedView(MapViewOfFile(mapping.get(), FILE_MAP_ALL_ACCESS, 0, 0, sizeof(WatchedCalls)));
}

CallWatch::CallWatch(const std::string& name, std::optional<long> stopAt)
    : stopped_(CreateEventW(nullptr, TRUE, FALSE, win::widen(name + " stopped").c_str())),
      go_(CreateEventW(nullptr, TRUE, FALSE, win::widen(name + " go").c_str())),
      view_(watchedCallsView(win::widen(name), mapping_)),
      stopAt_(stopAt) {
  if (view_.get()) std::memset(view_.get(), 0, sizeof(WatchedCalls));
}

void CallWatch::onCall(std::int64_t number, const char* operation) {
  if (auto* watched = static_cast<WatchedCalls*>(view_.get())) {
    watched->calls = number;
    if (std::strcmp(operation, "Component.setName") == 0) {
      if (!watched->firstRename) watched->firstRename = number;
      watched->lastRename = number;
    }
  }
  if (!stopAt_ || number != *stopAt_) return;
  SetEvent(stopped_.get());
  WaitForSingleObject(go_.get(), 60000);
}

}  // namespace varnel::standin
