#pragma once
// A stand-in that is busy, the way a host with a modal dialog open is: its
// message filter rejects incoming calls for a while.
#include <windows.h>

#include <cstdint>
#include <functional>

#include "win32/base/com_ptr.h"

namespace varnel::standin {

struct BusySpell {
  std::int64_t afterCalls = 0;  // busy once the host has served this many calls
  DWORD milliseconds = 0;       // for this long; 0: until the stand-in ends
};

// Registers, for this thread, a message filter that rejects every incoming
// call (SERVERCALL_REJECTED) during the spell; calls served counts the host's
// calls so far. Unregistered when destroyed.
class BusyFilter {
 public:
  BusyFilter(BusySpell spell, std::function<std::int64_t()> callsServed);
  BusyFilter(const BusyFilter&) = delete;
  BusyFilter& operator=(const BusyFilter&) = delete;
  ~BusyFilter();

 private:
  win::ComPtr<IMessageFilter> previous_;
};

}  // namespace varnel::standin
