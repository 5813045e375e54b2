#include "standin/com/strict_powerlogic_server.h"
// clang-format off
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
// clang-format on

#include <map>
#include <utility>
#include <vector>

#include "standin/com/strict_powerlogic_ids.h"
#include "standin/com/typed_object.h"
#include "standin/design_file.h"
#include "strict_powerlogic.h"
#include "win32/base/ref_counted.h"
#include "win32/base/text.h"
#include "win32/base/variant.h"
#include "win32/com/com_error.h"
#include "win32/com/dispatch_object.h"
#include "win32/com/running_object.h"
#include "win32/com/variant_conversions.h"

namespace varnel::standin {

namespace {

using host::Ref;

// Whether the design an object belongs to is still open. The objects of a
// closed design answer RPC_E_DISCONNECTED, as a host that let them go does.
struct DesignLife {
  bool open = true;
};
using Life = std::shared_ptr<DesignLife>;

template <class Interface>
class DesignObject : public TypedObject<Interface> {
 protected:
  explicit DesignObject(Life life) : life_(std::move(life)) {}
  template <class Body>
  HRESULT member(Body&& body) noexcept {
    return this->guarded([&] {
      if (!life_->open)
        throw base::Error(static_cast<std::uint32_t>(RPC_E_DISCONNECTED),
                          "The object invoked has disconnected from its clients.");
      body();
    });
  }
  Life life_;
};

template <class Object, class T>
IDispatch* fresh(const Ref<T>& ref, const Life& life) {
  if (ref.empty()) return nullptr;
  return static_cast<IDispatch*>(new Object(ref, life));
}

// An empty reference in a VARIANT, as hosts give it: an IUnknown of nothing.
template <class Object, class T>
void giveVariant(VARIANT* out, const Ref<T>& ref, const Life& life) {
  VariantInit(out);
  if (ref.empty()) {
    out->vt = VT_UNKNOWN;
    out->punkVal = nullptr;
    return;
  }
  out->vt = VT_DISPATCH;
  out->pdispVal = fresh<Object>(ref, life);
}

// An Item argument: a name, or a position.
struct ItemIndex {
  std::optional<std::string> name;
  std::int32_t position = 0;
};

ItemIndex itemIndex(const VARIANT& index) {
  win::Variant value;
  if (FAILED(VariantCopyInd(value.receive(), const_cast<VARIANT*>(&index))))
    throw base::Error(13, "Type mismatch");
  if (value.get().vt == VT_BSTR) return {win::toText(value), 0};
  return {std::nullopt, static_cast<std::int32_t>(win::toLong(value))};
}

class StrictPlacement final : public DesignObject<IStrictPlacement> {
 public:
  StrictPlacement(Ref<host::Placement> p, Life life)
      : DesignObject(std::move(life)), p_(std::move(p)) {}
  HRESULT STDMETHODCALLTYPE get_X(LONG index, double* value) override {
    return member([&] { *value = p_->X(index); });
  }
  HRESULT STDMETHODCALLTYPE get_Y(LONG index, double* value) override {
    return member([&] { *value = p_->Y(index); });
  }

 private:
  Ref<host::Placement> p_;
};

class StrictPlacementList final : public DesignObject<IStrictPlacementList> {
 public:
  StrictPlacementList(Ref<host::ObjectList<host::Placement>> list, Life life)
      : DesignObject(std::move(life)), list_(std::move(list)) {}
  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    return member([&] { *count = list_->Count(); });
  }
  HRESULT STDMETHODCALLTYPE Item(VARIANT index, VARIANT* placement) override {
    return member([&] {
      const ItemIndex at = itemIndex(index);
      giveVariant<StrictPlacement>(
          placement, at.name ? list_->Item(*at.name) : list_->Item(at.position), life_);
    });
  }

 private:
  Ref<host::ObjectList<host::Placement>> list_;
};

class StrictComponent final : public DesignObject<IStrictComponent> {
 public:
  StrictComponent(Ref<host::Component> c, Life life)
      : DesignObject(std::move(life)), c_(std::move(c)) {}
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
    return member([&] { *name = win::Bstr(c_->Name()).release(); });
  }
  HRESULT STDMETHODCALLTYPE put_Name(BSTR name) override {
    return member([&] { c_->setName(win::narrow({name, SysStringLen(name)})); });
  }
  HRESULT STDMETHODCALLTYPE get_Placements(IDispatch** placements) override {
    return member([&] { *placements = fresh<StrictPlacementList>(c_->Placements(), life_); });
  }
  HRESULT STDMETHODCALLTYPE get_Selected(VARIANT_BOOL* selected) override {
    return member([&] { *selected = c_->Selected() ? VARIANT_TRUE : VARIANT_FALSE; });
  }

 private:
  Ref<host::Component> c_;
};

// The components of a list, in its order, from its Count when made.
class ComponentEnumerator final : public win::RefCounted<IEnumVARIANT> {
 public:
  ComponentEnumerator(Ref<host::ComponentList> list, Life life, std::int32_t next = 1)
      : list_(std::move(list)), life_(std::move(life)), count_(list_->Count()), next_(next) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IEnumVARIANT ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Next(ULONG wanted, VARIANT* items, ULONG* fetched) override {
    if (!life_->open) return RPC_E_DISCONNECTED;
    ULONG given = 0;
    try {
      for (; given < wanted && next_ <= count_; ++given, ++next_)
        giveVariant<StrictComponent>(&items[given], list_->Item(next_), life_);
    } catch (const base::Error& e) {
      for (ULONG i = 0; i < given; ++i) VariantClear(&items[i]);
      raiseErrorInfo(e, IID_IEnumVARIANT);
      return hresultOf(e);
    } catch (...) {
      for (ULONG i = 0; i < given; ++i) VariantClear(&items[i]);
      return E_FAIL;
    }
    if (fetched) *fetched = given;
    return given == wanted ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override {
    next_ += static_cast<std::int32_t>(count);
    return next_ <= count_ + 1 ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE Reset() override {
    next_ = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Clone(IEnumVARIANT** out) override {
    if (!out) return E_POINTER;
    *out = new ComponentEnumerator(list_, life_, next_);
    return S_OK;
  }

 private:
  Ref<host::ComponentList> list_;
  Life life_;
  std::int32_t count_;
  std::int32_t next_;
};

class StrictComponentList final : public DesignObject<IStrictComponentList> {
 public:
  StrictComponentList(Ref<host::ComponentList> list, Life life)
      : DesignObject(std::move(life)), list_(std::move(list)) {}
  HRESULT STDMETHODCALLTYPE Item(VARIANT index, VARIANT* component) override {
    return member([&] {
      const ItemIndex at = itemIndex(index);
      giveVariant<StrictComponent>(
          component, at.name ? list_->Item(*at.name) : list_->Item(at.position), life_);
    });
  }
  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    return member([&] { *count = list_->Count(); });
  }
  HRESULT STDMETHODCALLTYPE get__NewEnum(IUnknown** items) override {
    return member([&] { *items = new ComponentEnumerator(list_, life_); });
  }

 private:
  Ref<host::ComponentList> list_;
};

class StrictScope final : public DesignObject<IStrictScope> {
 public:
  StrictScope(Ref<host::Scope> s, Life life) : DesignObject(std::move(life)), s_(std::move(s)) {}
  HRESULT STDMETHODCALLTYPE FindObjects(LONG kind, BSTR name, LONG flags,
                                        IDispatch** found) override {
    return member([&] {
      *found = fresh<StrictComponentList>(
          s_->FindObjects(kind, win::narrow({name, SysStringLen(name)}), flags), life_);
    });
  }
  HRESULT STDMETHODCALLTYPE get_Components(IDispatch** components) override {
    return member([&] { *components = fresh<StrictComponentList>(s_->Components(), life_); });
  }

 private:
  Ref<host::Scope> s_;
};

class StrictScopeList final : public DesignObject<IStrictScopeList> {
 public:
  StrictScopeList(Ref<host::ScopeList> s, Life life)
      : DesignObject(std::move(life)), s_(std::move(s)) {}
  HRESULT STDMETHODCALLTYPE get_Count(LONG* count) override {
    return member([&] { *count = s_->Count(); });
  }

 private:
  Ref<host::ScopeList> s_;
};

class StrictDocument final : public DesignObject<IStrictDocument> {
 public:
  StrictDocument(Ref<host::Document> d, Life life)
      : DesignObject(std::move(life)), d_(std::move(d)) {}
  HRESULT STDMETHODCALLTYPE get_Components(IDispatch** components) override {
    return member([&] { *components = fresh<StrictComponentList>(d_->Components(), life_); });
  }
  HRESULT STDMETHODCALLTYPE get_Scopes(IDispatch** scopes) override {
    return member([&] { *scopes = fresh<StrictScopeList>(d_->Scopes(), life_); });
  }
  HRESULT STDMETHODCALLTYPE get_CurrentScope(IDispatch** scope) override {
    return member([&] { *scope = fresh<StrictScope>(d_->CurrentScope(), life_); });
  }
  HRESULT STDMETHODCALLTYPE get_Name(BSTR* name) override {
    return member([&] { *name = win::Bstr(d_->Name()).release(); });
  }

 private:
  Ref<host::Document> d_;
};

class StrictApplication;

// The connection point of the event dispinterface. Like the connection
// points of ATL and MFC it asks the sink for that IID and nothing else.
class StrictEventPoint final : public IConnectionPoint {
 public:
  explicit StrictEventPoint(IConnectionPointContainer& owner) : owner_(owner) {}
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = iid == IID_IUnknown || iid == IID_IConnectionPoint ? this : nullptr;
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  // The point lives inside the application object and shares its lifetime.
  ULONG STDMETHODCALLTYPE AddRef() override { return owner_.AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return owner_.Release(); }
  HRESULT STDMETHODCALLTYPE GetConnectionInterface(IID* iid) override {
    if (!iid) return E_POINTER;
    *iid = kStrictEventsIid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetConnectionPointContainer(IConnectionPointContainer** out) override {
    if (!out) return E_POINTER;
    owner_.AddRef();
    *out = &owner_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Advise(IUnknown* sink, DWORD* cookie) override {
    if (!sink || !cookie) return E_POINTER;
    win::ComPtr<IDispatch> events;
    if (FAILED(sink->QueryInterface(kStrictEventsIid, events.receiveVoid())))
      return CONNECT_E_CANNOTCONNECT;
    *cookie = nextCookie_++;
    sinks_.emplace(*cookie, std::move(events));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD cookie) override {
    return sinks_.erase(cookie) ? S_OK : CONNECT_E_NOCONNECTION;
  }
  HRESULT STDMETHODCALLTYPE EnumConnections(IEnumConnections**) override { return E_NOTIMPL; }

  // args last to first, as DISPPARAMS holds them.
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
  IConnectionPointContainer& owner_;
  std::map<DWORD, win::ComPtr<IDispatch>> sinks_;
  DWORD nextCookie_ = 1;
};

class StrictApplication final : public TypedObject<IStrictApplication>,
                                public IConnectionPointContainer,
                                public IProvideClassInfo2 {
 public:
  explicit StrictApplication(std::shared_ptr<MemoryHost> host)
      : host_(std::move(host)), life_(std::make_shared<DesignLife>()), events_(*this) {
    opened_ = host_->onOpenDocument([this] { designOpened(); });
    selected_ = host_->onSelectionChanged([this] { events_.fire(kSelectionChangedDispid, {}); });
  }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    return TypedObject::QueryInterface(iid, out);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return TypedObject::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return TypedObject::Release(); }

  HRESULT STDMETHODCALLTYPE get_ActiveDocument(IDispatch** document) override {
    return guarded([&] {
      *document = nullptr;
      if (!host_->hasDesign()) return;  // empty, not an error, with no design loaded
      auto active = host_->ActiveDocument();
      if (!document_)
        document_ = win::ComPtr<IDispatch>::adopt(fresh<StrictDocument>(active, life_));
      document_->AddRef();
      *document = document_.get();
    });
  }
  HRESULT STDMETHODCALLTYPE Prepare() override {
    return guarded([&] { host_->Prepare(); });
  }
  HRESULT STDMETHODCALLTYPE OpenDesign(BSTR path) override {
    return guarded([&] {
      try {
        host_->open(loadDesignFile(win::narrow({path, SysStringLen(path)})));
      } catch (const DesignFileError& e) {
        throw base::Error(53, e.what());
      }
    });
  }
  HRESULT STDMETHODCALLTYPE SelectPart(LONG position, VARIANT_BOOL selected) override {
    return guarded([&] { host_->setSelected(position, selected != VARIANT_FALSE); });
  }
  HRESULT STDMETHODCALLTYPE HostCalls(LONG* calls) override {
    return guarded([&] { *calls = static_cast<LONG>(host_->totalCalls()); });
  }

  HRESULT STDMETHODCALLTYPE EnumConnectionPoints(IEnumConnectionPoints**) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE FindConnectionPoint(REFIID iid, IConnectionPoint** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != kStrictEventsIid) return CONNECT_E_NOCONNECTION;
    events_.AddRef();
    *out = &events_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetClassInfo(ITypeInfo** out) override {
    if (!out) return E_POINTER;
    return strictTypeLibrary().GetTypeInfoOfGuid(kStrictApplicationClsid, out);
  }
  HRESULT STDMETHODCALLTYPE GetGUID(DWORD kind, GUID* out) override {
    if (!out) return E_POINTER;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *out = kStrictEventsIid;
    return S_OK;
  }

 protected:
  void* otherInterface(REFIID iid) override {
    if (iid == IID_IConnectionPointContainer) return static_cast<IConnectionPointContainer*>(this);
    if (iid == IID_IProvideClassInfo || iid == IID_IProvideClassInfo2)
      return static_cast<IProvideClassInfo2*>(this);
    return nullptr;
  }

 private:
  // The closed design's document lets go of its clients, as MFC's do.
  void designOpened() {
    life_->open = false;
    if (document_) CoDisconnectObject(document_.get(), 0);
    document_.reset();
    life_ = std::make_shared<DesignLife>();
    win::ComPtr<IDispatch> document;
    if (FAILED(get_ActiveDocument(document.receive())) || !document) return;
    const win::Variant doc = win::Variant::fromDispatch(document.get());
    events_.fire(kStrictOpenDocumentDispid, {doc.get()});
  }

  std::shared_ptr<MemoryHost> host_;
  Life life_;
  win::ComPtr<IDispatch> document_;
  StrictEventPoint events_;
  host::Subscription opened_;
  host::Subscription selected_;
};

}  // namespace

win::ComPtr<IDispatch> serveStrictApplication(std::shared_ptr<MemoryHost> host) {
  strictTypeLibrary();
  return win::ComPtr<IDispatch>::adopt(
      static_cast<IStrictApplication*>(new StrictApplication(std::move(host))));
}

}  // namespace varnel::standin
