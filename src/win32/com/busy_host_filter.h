#pragma once
// The message filter of the user-interface thread, and the retries of a call
// that a busy host rejects (RPC_E_CALL_REJECTED, RPC_E_SERVERCALL_RETRYLATER:
// the call was not carried out, so it is safe to make again). COM asks the
// filter to retry on Windows; Wine never does and fails the call at once,
// so the client's own call path retries too. Both ask one BusyRetryPolicy
// about one call, timed from when the client made it: whichever sees the
// rejection first, the quiet seconds and the question come once, and a call
// the user gave up on is not tried again. While a call waits the windows
// keep painting but take no input (so no click starts anything nested
// inside the call).
#include <windows.h>

#include <functional>
#include <memory>

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

  // Makes call, and makes it again while the host rejects it as busy, as
  // the policy of the filter registered for this thread says, the windows
  // painting between the tries; the last try's result. Without a filter, or
  // inside another such call, it is made once.
  static HRESULT callWhileBusy(const std::function<HRESULT()>& call);

  struct CallState;

 private:
  std::shared_ptr<CallState> state_;
  BusyHostFilter* outer_;
  ComPtr<IMessageFilter> previous_;
};

}  // namespace varnel::win
