#include "standin/com/busy_filter.h"
#include "win32/base/ref_counted.h"

#include <objbase.h>

#include <optional>
#include <utility>

namespace varnel::standin {

namespace {

class RejectingFilter final : public win::RefCounted<IMessageFilter> {
 public:
  RejectingFilter(BusySpell spell, std::function<std::int64_t()> callsServed)
      : spell_(spell), callsServed_(std::move(callsServed)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IMessageFilter ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  DWORD STDMETHODCALLTYPE HandleInComingCall(DWORD, HTASK, DWORD, LPINTERFACEINFO) override {
    return busyNow() ? SERVERCALL_REJECTED : SERVERCALL_ISHANDLED;
  }
  DWORD STDMETHODCALLTYPE RetryRejectedCall(HTASK, DWORD, DWORD) override {
    return static_cast<DWORD>(-1);  // the stand-in makes no calls of its own that matter
  }
  DWORD STDMETHODCALLTYPE MessagePending(HTASK, DWORD, DWORD) override {
    return PENDINGMSG_WAITDEFPROCESS;
  }

 private:
  bool busyNow() {
    if (!began_) {
      if (callsServed_() < spell_.afterCalls) return false;
      began_ = GetTickCount();
    }
    return spell_.milliseconds == 0 || GetTickCount() - *began_ < spell_.milliseconds;
  }

  BusySpell spell_;
  std::function<std::int64_t()> callsServed_;
  std::optional<DWORD> began_;
};

}  // namespace

BusyFilter::BusyFilter(BusySpell spell, std::function<std::int64_t()> callsServed) {
  // COM holds the filter while it is registered.
  auto filter =
      win::ComPtr<IMessageFilter>::adopt(new RejectingFilter(spell, std::move(callsServed)));
  CoRegisterMessageFilter(filter.get(), previous_.receive());
}

BusyFilter::~BusyFilter() {
  win::ComPtr<IMessageFilter> ours;
  CoRegisterMessageFilter(previous_.get(), ours.receive());
}

}  // namespace varnel::standin
