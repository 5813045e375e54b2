#include "standin/com/powerlogic_server.h"
// clang-format off
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
// clang-format on

#include <map>

#include "standin/com/server_object.h"
#include "standin/design_file.h"
#include "win32/base/ref_counted.h"
#include "win32/com/powerlogic_ids.h"

namespace varnel::standin {

namespace {

using host::Ref;
using win::Variant;
using Args = std::vector<const VARIANT*>;

template <class Object, class T>
Variant served(const Ref<T>& ref) {
  if (ref.empty()) return Variant::fromDispatch(nullptr);
  return objectVariant(new Object(ref));
}

class PlacementObject final : public ServerObject {
 public:
  explicit PlacementObject(Ref<host::Placement> p) : ServerObject({L"X", L"Y"}), p_(std::move(p)) {}
  Variant invokeMember(std::size_t m, bool, const Args& args) override {
    const long index = args.empty() ? 0 : argLong(args, 0);
    return Variant::fromDouble(m == 0 ? p_->X(index) : p_->Y(index));
  }

 private:
  Ref<host::Placement> p_;
};

template <class T, class Object>
class ListObject final : public ServerObject {
 public:
  explicit ListObject(Ref<host::ObjectList<T>> list)
      : ServerObject({L"Item", L"Count"}), list_(std::move(list)) {}
  Variant invokeMember(std::size_t m, bool, const Args& args) override {
    if (m == 1) return Variant::fromInt(list_->Count());
    if (!args.empty() && args[0]->vt == VT_BSTR)
      return served<Object>(list_->Item(argText(args, 0)));
    return served<Object>(list_->Item(static_cast<std::int32_t>(argLong(args, 0))));
  }

 private:
  Ref<host::ObjectList<T>> list_;
};

class ComponentObject final : public ServerObject {
 public:
  explicit ComponentObject(Ref<host::Component> c)
      : ServerObject({L"Name", L"Placements", L"Selected"}), c_(std::move(c)) {}
  Variant invokeMember(std::size_t m, bool put, const Args& args) override {
    switch (m) {
      case 0:
        if (put) {
          c_->setName(argText(args, 0));
          return {};
        }
        return Variant::fromString(c_->Name());
      case 1:
        return served<ListObject<host::Placement, PlacementObject>>(c_->Placements());
      default:
        return Variant::fromBool(c_->Selected());
    }
  }

 private:
  Ref<host::Component> c_;
};

using ComponentListObject = ListObject<host::Component, ComponentObject>;

class ScopeObject final : public ServerObject {
 public:
  explicit ScopeObject(Ref<host::Scope> s)
      : ServerObject({L"Components", L"FindObjects"}), s_(std::move(s)) {}
  Variant invokeMember(std::size_t m, bool, const Args& args) override {
    if (m == 0) return served<ComponentListObject>(s_->Components());
    return served<ComponentListObject>(
        s_->FindObjects(argLong(args, 0), argText(args, 1), argLong(args, 2)));
  }

 private:
  Ref<host::Scope> s_;
};

class ScopeListObject final : public ServerObject {
 public:
  explicit ScopeListObject(Ref<host::ScopeList> s) : ServerObject({L"Count"}), s_(std::move(s)) {}
  Variant invokeMember(std::size_t, bool, const Args&) override {
    return Variant::fromInt(s_->Count());
  }

 private:
  Ref<host::ScopeList> s_;
};

class DocumentObject final : public ServerObject {
 public:
  explicit DocumentObject(Ref<host::Document> d)
      : ServerObject({L"Name", L"CurrentScope", L"Scopes", L"Components"}), d_(std::move(d)) {}
  Variant invokeMember(std::size_t m, bool, const Args&) override {
    switch (m) {
      case 0:
        return Variant::fromString(d_->Name());
      case 1:
        return served<ScopeObject>(d_->CurrentScope());
      case 2:
        return served<ScopeListObject>(d_->Scopes());
      default:
        return served<ComponentListObject>(d_->Components());
    }
  }

 private:
  Ref<host::Document> d_;
};

class ApplicationObject;

// The connection points of a container that has one.
class OnePointEnumerator final : public win::RefCounted<IEnumConnectionPoints> {
 public:
  explicit OnePointEnumerator(IConnectionPoint* point, ULONG next = 0)
      : point_(win::ComPtr<IConnectionPoint>::share(point)), next_(next) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IEnumConnectionPoints ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG wanted, IConnectionPoint** points, ULONG* fetched) override {
    if (!points) return E_POINTER;
    ULONG given = 0;
    if (wanted > 0 && next_ == 0) {
      point_->AddRef();
      points[given++] = point_.get();
      next_ = 1;
    }
    if (fetched) *fetched = given;
    return given == wanted ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    next_ += count;
    return next_ <= 1 ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumConnectionPoints** out) override {
    if (!out) return E_POINTER;
    *out = new OnePointEnumerator(point_.get(), next_);
    return S_OK;
  }

 private:
  win::ComPtr<IConnectionPoint> point_;
  ULONG next_;
};

// The one connection point: the application's events.
class EventPoint final : public IConnectionPoint {
 public:
  explicit EventPoint(ApplicationObject& owner) : owner_(owner) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    *iid = kLooseEventsIid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override;
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (!sink || !cookie) return E_POINTER;
    // As real connection points do: the event interface's own IID or nothing.
    win::ComPtr<IDispatch> target;
    if (FAILED(sink->QueryInterface(kLooseEventsIid, target.receiveVoid())))
      return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie_++;
    sinks_.emplace(*cookie, std::move(target));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    return sinks_.erase(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

  // The event's arguments last to first, as DISPPARAMS holds them.
  void fire(DISPID event, std::vector<VARIANT> args) {
    std::vector<IDispatch*> targets;
    for (auto& [cookie, sink] : sinks_) targets.push_back(sink.get());
    for (IDispatch* sink : targets) {
      auto held = win::ComPtr<IDispatch>::share(sink);  // a handler may unadvise
      DISPPARAMS params{args.data(), nullptr, static_cast<UINT>(args.size()), 0};
      held->Invoke(event, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr,
                   nullptr);
    }
  }

 private:
  ApplicationObject& owner_;
  std::map<DWORD, win::ComPtr<IDispatch>> sinks_;
  DWORD nextCookie_ = 1;
};

class ApplicationObject final : public ServerObject, public IConnectionPointContainer {
 public:
  explicit ApplicationObject(std::shared_ptr<MemoryHost> host)
      : ServerObject({L"ActiveDocument", L"Prepare", L"OpenDesign", L"HostCalls", L"SelectPart"}),
        host_(std::move(host)),
        events_(*this) {
    opened_ = host_->onOpenDocument([this] {
      try {
        auto document = served<DocumentObject>(host_->ActiveDocument());
        events_.fire(kLooseOpenDocumentDispid, {document.get()});
      } catch (...) {
      }
    });
    selected_ =
        host_->onSelectionChanged([this] { events_.fire(kLooseSelectionChangedDispid, {}); });
  }

  Variant invokeMember(std::size_t m, bool, const Args& args) override {
    if (m == 0) return served<DocumentObject>(host_->ActiveDocument());
    if (m == 1) {
      host_->Prepare();
      return {};
    }
    // The stand-in's own members, for tests and benchmarks.
    if (m == 3) return Variant::fromInt(static_cast<long>(host_->totalCalls()));
    if (m == 4) {
      host_->setSelected(argLong(args, 0), argLong(args, 1) != 0);
      return {};
    }
    try {
      host_->open(loadDesignFile(argText(args, 0)));
    } catch (const DesignFileError& e) {
      throw base::Error(53, e.what());
    }
    return {};
  }
  void* otherInterface(REFIID iid) override {
    return iid == IID_IConnectionPointContainer ? static_cast<IConnectionPointContainer*>(this)
                                                : nullptr;
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return ServerObject::QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ServerObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return ServerObject::Release(); }
  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints** out) override {
    if (!out) return E_POINTER;
    *out = new OnePointEnumerator(&events_);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != kLooseEventsIid) return CONNECT_E_NOCONNECTION;
    events_.AddRef();
    *out = &events_;
    return S_OK;
  }

 private:
  std::shared_ptr<MemoryHost> host_;
  EventPoint events_;
  host::Subscription opened_;
  host::Subscription selected_;
};

HRESULT EventPoint::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IConnectionPoint) {
    *out = static_cast<IConnectionPoint*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}
// The point lives inside the application object and shares its lifetime.
ULONG EventPoint::AddRef() {
  return owner_.AddRef();
}
ULONG EventPoint::Release() {
  return owner_.Release();
}
HRESULT EventPoint::GetConnectionPointContainer(IConnectionPointContainer** out) {
  owner_.AddRef();
  *out = &owner_;
  return S_OK;
}

}  // namespace

win::ComPtr<IDispatch> serveApplication(std::shared_ptr<MemoryHost> host) {
  return win::ComPtr<IDispatch>::adopt(
      static_cast<ServerObject*>(new ApplicationObject(std::move(host))));
}

}  // namespace varnel::standin
