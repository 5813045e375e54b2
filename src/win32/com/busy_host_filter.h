#pragma once
// The message filter of the user-interface thread: a call that a busy host
// rejects is tried again as BusyRetryPolicy says, and while a call waits the
// windows keep painting but take no input (so no click starts anything
// nested inside the call).
#include "host/busy_retry_policy.h"
#include "win32/base/com_ptr.h"

namespace varnel::win {

// Registered for this thread while it lives; the filter registered before
// it comes back afterwards.
class BusyHostFilter {
 public:
  explicit BusyHostFilter(host::BusyRetryPolicy policy);
  BusyHostFilter(const BusyHostFilter&) = delete;
  BusyHostFilter& operator=(const BusyHostFilter&) = delete;
  ~BusyHostFilter();

 private:
  ComPtr<IMessageFilter> previous_;
};

}  // namespace varnel::win
