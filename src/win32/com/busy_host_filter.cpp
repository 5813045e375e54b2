#include "win32/com/busy_host_filter.h"

#include <objbase.h>

#include <utility>

namespace varnel::win {

namespace {

class RetryingFilter final : public IMessageFilter {
 public:
  explicit RetryingFilter(host::BusyRetryPolicy policy) : policy_(std::move(policy)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IMessageFilter ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }
  // The host's events come in as calls: always taken (the sink only posts them).
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD elapsed, DWORD) override {
    try {
      if (const auto delay = policy_.onRejected(elapsed)) return *delay;
    } catch (...) {
      // Exceptions never cross a COM callback: the call ends as rejected.
    }
    return static_cast<DWORD>(-1);
  }
  // Painting goes on while a call waits; input waits until it has returned.
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }

 private:
  LONG references_ = 1;
  host::BusyRetryPolicy policy_;
};

}  // namespace

BusyHostFilter::BusyHostFilter(host::BusyRetryPolicy policy) {
  // COM holds the filter while it is registered.
  auto filter = ComPtr<IMessageFilter>::adopt(new RetryingFilter(std::move(policy)));
  CoRegisterMessageFilter(filter.get(), previous_.receive());
}

BusyHostFilter::~BusyHostFilter() {
  ComPtr<IMessageFilter> ours;
  CoRegisterMessageFilter(previous_.get(), ours.receive());
}

}  // namespace varnel::win
