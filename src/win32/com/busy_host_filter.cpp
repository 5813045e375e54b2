#include "win32/com/busy_host_filter.h"
#include "win32/base/ref_counted.h"

#include <objbase.h>

#include <optional>
#include <utility>

namespace varnel::win {

namespace {

thread_local BusyHostFilter* registered = nullptr;

bool isRejected(HRESULT result) {
  return result == RPC_E_CALL_REJECTED || result == RPC_E_SERVERCALL_RETRYLATER;
}

// Waits ms, painting the thread's windows while it does; input waits.
void paintWhileWaiting(DWORD ms) {
  const DWORD until = GetTickCount() + ms;
  for (DWORD now = GetTickCount(); static_cast<LONG>(until - now) > 0; now = GetTickCount()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, until - now, QS_PAINT);
    MSG message;
    // A window that leaves itself invalid must not hold the wait for ever.
    for (int k = 0; k < 64 && PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++k)
      DispatchMessageW(&message);
  }
}

}  // namespace

// The policy, and the call the client is making: when it was first made,
// and whether the user gave up on it.
struct BusyHostFilter::CallState {
  explicit CallState(host::BusyRetryPolicy p) : policy(std::move(p)) {}
  host::BusyRetryPolicy policy;
  bool inCall = false;
  bool gaveUp = false;
  DWORD began = 0;

  // How long to wait before the next try; nothing to give up.
  std::optional<DWORD> retryDelay(DWORD elapsedIfNoCall) {
    if (gaveUp) return std::nullopt;
    std::optional<std::uint32_t> delay;
    try {
      delay = policy.onRejected(inCall ? GetTickCount() - began : elapsedIfNoCall);
    } catch (...) {
      // A question that could not be asked gives the call up.
    }
    if (!delay && inCall) gaveUp = true;
    return delay;
  }
};

namespace {

class RetryingFilter final : public RefCounted<IMessageFilter> {
 public:
  explicit RetryingFilter(std::shared_ptr<BusyHostFilter::CallState> state)
      : state_(std::move(state)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IMessageFilter ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  // The host's events come in as calls: always taken (the sink only posts them).
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  // Exceptions never cross a COM callback: retryDelay throws none.
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsed, DWORD) override {
    if (const auto delay = state_->retryDelay(elapsed)) return *delay;
    return static_cast<DWORD>(-1);
  }
  // Painting goes on while a call waits; input waits until it has returned.
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }

 private:
  std::shared_ptr<BusyHostFilter::CallState> state_;
};

}  // namespace

BusyHostFilter::BusyHostFilter(host::BusyRetryPolicy policy)
    : state_(std::make_shared<CallState>(std::move(policy))), outer_(registered) {
  // COM holds the filter while it is registered.
  auto filter = ComPtr<IMessageFilter>::adopt(new RetryingFilter(state_));
  CoRegisterMessageFilter(filter.get(), previous_.receive());
  registered = this;
}

BusyHostFilter::~BusyHostFilter() {
  ComPtr<IMessageFilter> ours;
  CoRegisterMessageFilter(previous_.get(), ours.receive());
  registered = outer_;
}

HRESULT BusyHostFilter::callWhileBusy(const std::function<HRESULT()>& call) {
  if (!registered || registered->state_->inCall) return call();
  CallState& state = *registered->state_;
  state.inCall = true;
  state.gaveUp = false;
  state.began = GetTickCount();
  HRESULT result = S_OK;
  for (;;) {
    result = call();
    if (!isRejected(result)) break;
    const auto delay = state.retryDelay(0);
    if (!delay) break;
    paintWhileWaiting(*delay);
  }
  state.inCall = false;
  return result;
}

}  // namespace varnel::win
