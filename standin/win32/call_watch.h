#pragma once
// The stand-in's host calls watched from another process (the crash sweep):
// their count and the numbers of the first and last rename, kept in shared
// memory of the watch's name; and at one call of the test's choosing,
// "NAME stopped" set and the call held until "NAME go" is set (a minute at
// most), so that the test can end Varnel in the middle of it. The call then
// goes on, as a call whose client died does in a real server.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "win32/base/kernel_handle.h"
#include "win32/base/unique_handle.h"

namespace varnel::standin {

struct WatchedCalls {
  std::int64_t calls = 0;
  std::int64_t firstRename = 0, lastRename = 0;  // 0: none yet
};

inline void unmapView(void* view) {
  UnmapViewOfFile(view);
}
using MappedView = win::UniqueHandle<void*, &unmapView>;

// The shared memory of that name, created or opened; null when it cannot be.
MappedView watchedCallsView(const std::wstring& name, win::KernelHandle& mapping);

class CallWatch {
 public:
  CallWatch(const std::string& name, std::optional<long> stopAt);
  void onCall(std::int64_t number, const char* operation);

 private:
  win::KernelHandle mapping_, stopped_, go_;
  MappedView view_;
  std::optional<long> stopAt_;
};

}  // namespace varnel::standin
