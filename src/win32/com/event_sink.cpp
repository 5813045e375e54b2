#include "win32/com/event_sink.h"

#include <ocidl.h>

#include <memory>

#include "win32/com/dispatch.h"
#include "win32/com/powerlogic_ids.h"

namespace varnel::win {

namespace {

class OpenDocumentSink final : public IDispatch {
 public:
  explicit OpenDocumentSink(std::function<void()> handler) : handler_(std::move(handler)) {}

  // The source may ask for IUnknown, IDispatch or the event interface itself.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kPowerLogicEventsIid) {
      *out = static_cast<IDispatch*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
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
    if (id != kOpenDocumentDispid || !handler_) return S_OK;
    try {
      handler_();
    } catch (...) {
      // Exceptions never cross a COM callback.
    }
    return S_OK;
  }

 private:
  LONG references_ = 1;
  std::function<void()> handler_;
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

ComPtr<IConnectionPoint> findConnectionPoint(IDispatch* source) {
  ComPtr<IConnectionPointContainer> container;
  HRESULT result = source->QueryInterface(IID_IConnectionPointContainer, container.receiveVoid());
  if (FAILED(result)) throw comError(result);
  ComPtr<IConnectionPoint> point;
  if (SUCCEEDED(container->FindConnectionPoint(kPowerLogicEventsIid, point.receive())))
    return point;
  // A host whose event interface has another IID: take its first source.
  ComPtr<IEnumConnectionPoints> points;
  result = container->EnumConnectionPoints(points.receive());
  if (FAILED(result)) throw comError(result);
  ULONG fetched = 0;
  if (points->Next(1, point.receive(), &fetched) != S_OK || !point) throw comError(E_NOINTERFACE);
  return point;
}

}  // namespace

host::Subscription adviseOpenDocument(IDispatch* source, std::function<void()> handler) {
  auto advice = std::make_shared<Advice>();
  advice->point = findConnectionPoint(source);
  auto sink = ComPtr<IDispatch>::adopt(new OpenDocumentSink(std::move(handler)));
  const HRESULT result = advice->point->Advise(sink.get(), &advice->cookie);
  if (FAILED(result)) throw comError(result);
  return host::Subscription([advice] { advice->end(); });
}

}  // namespace varnel::win
