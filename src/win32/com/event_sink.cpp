#include "win32/com/event_sink.h"

#include <ocidl.h>

#include <memory>
#include <optional>

#include "win32/base/ref_counted.h"
#include "win32/com/com_error.h"
#include "win32/com/dispatch_object.h"
#include "win32/com/event_interface.h"
#include "win32/com/running_object.h"
#include "win32/com/variant_conversions.h"

namespace varnel::win {

namespace {

class EventSink final : public RefCounted<IDispatch> {
 public:
  EventSink(const IID& events, std::optional<DISPID> openDocument,
            std::function<void(host::HostEvent)> handler)
      : events_(events), openDocument_(openDocument), handler_(std::move(handler)) {}

  // The source asks for its event interface; IUnknown and IDispatch serve too.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == events_) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return DISP_E_UNKNOWNNAME;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    if (openDocument_ && id != *openDocument_) return S_OK;
    try {
      handler_(openDocument_ ? host::HostEvent::designOpened : host::HostEvent::unknown);
    } catch (...) {
      // Exceptions never cross a COM callback.
    }
    return S_OK;
  }

 private:
  IID events_;
  std::optional<DISPID> openDocument_;
  std::function<void(host::HostEvent)> handler_;
};

// The Advise cookie, unadvised when destroyed.
struct Advice {
  ComPtr<IConnectionPoint> point;
  DWORD cookie = 0;
  void end() {
    if (point && cookie) point->Unadvise(cookie);
    cookie = 0;
    point.reset();
  }
  ~Advice() { end(); }
};

}  // namespace

host::Subscription subscribeToEvents(IDispatch* source,
                                     std::function<void(host::HostEvent)> handler) {
  EventInterface events = findEventInterface(source);
  auto advice = std::make_shared<Advice>();
  advice->point = std::move(events.point);
  auto sink =
      ComPtr<IDispatch>::adopt(new EventSink(events.iid, events.openDocument, std::move(handler)));
  const HRESULT result = advice->point->Advise(sink.get(), &advice->cookie);
  if (FAILED(result)) throw comError(result);
  return host::Subscription([advice] { advice->end(); });
}

}  // namespace varnel::win
