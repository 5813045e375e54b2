#include "win32/com/com_objects.h"

#include "win32/com/busy_host_filter.h"

#include <algorithm>
#include <vector>

#include "win32/com/com_error.h"
#include "win32/com/dispatch_object.h"
#include "win32/com/event_sink.h"
#include "win32/com/powerlogic_ids.h"
#include "win32/com/running_object.h"
#include "win32/com/variant_conversions.h"

namespace varnel::win {

namespace {

using host::Ref;
using Connection = std::shared_ptr<ComConnection>;

// Every host object holds its IDispatch and calls members by name. kind
// names its class by the member that gave it: a host may give different
// classes (with different DISPIDs) for lists that look alike.
class ComObject {
 public:
  ComObject(ComPtr<IDispatch> object, std::string kind, Connection connection)
      : object_(std::move(object), std::move(kind), std::move(connection)) {}

 protected:
  template <class T>
  Ref<T> wrap(const Variant& value, const char* kind) const {
    auto object = toObject(value);
    if (!object) return {};
    return host::makeRef<T>(std::move(object), kind, object_.connection());
  }
  DispatchObject object_;
};

class ComPlacement final : public host::Placement, ComObject {
 public:
  using ComObject::ComObject;
  double X(std::int32_t index) override {
    const Variant i = Variant::fromInt(index);
    return toDouble(object_.get("X", {&i}));
  }
  double Y(std::int32_t index) override {
    const Variant i = Variant::fromInt(index);
    return toDouble(object_.get("Y", {&i}));
  }
};

template <class T, class Wrapper>
class ComObjectList : public host::ObjectList<T>, protected ComObject {
 public:
  ComObjectList(ComPtr<IDispatch> o, std::string kind, Connection connection,
                const char* memberKind)
      : ComObject(std::move(o), std::move(kind), std::move(connection)), memberKind_(memberKind) {}
  Ref<T> Item(std::int32_t position) override {
    const Variant index = Variant::fromInt(position);
    return wrap<Wrapper>(object_.get("Item", {&index}), memberKind_);
  }
  Ref<T> Item(const std::string& name) override {
    const Variant index = Variant::fromString(name);
    return wrap<Wrapper>(object_.get("Item", {&index}), memberKind_);
  }
  std::int32_t Count() override { return toLong(object_.get("Count")); }

 protected:
  const char* memberKind_;
};

class ComPlacementList final : public ComObjectList<host::Placement, ComPlacement> {
 public:
  ComPlacementList(ComPtr<IDispatch> o, std::string kind, Connection connection)
      : ComObjectList(std::move(o), std::move(kind), std::move(connection), "Placement") {}
};

class ComComponent final : public host::Component, ComObject {
 public:
  using ComObject::ComObject;
  std::string Name() override { return toText(object_.get("Name")); }
  void setName(const std::string& name) override { object_.put("Name", Variant::fromString(name)); }
  Ref<host::ObjectList<host::Placement>> Placements() override {
    return wrap<ComPlacementList>(object_.get("Placements"), "Component.Placements");
  }
  bool Selected() override { return toBool(object_.get("Selected")); }
};

class ComComponentList final : public ComObjectList<host::Component, ComComponent> {
 public:
  ComComponentList(ComPtr<IDispatch> o, std::string kind, Connection connection)
      : ComObjectList(std::move(o), std::move(kind), std::move(connection), "Component") {}
  std::function<Ref<host::Component>(std::int32_t)> readInOrder(std::int32_t count) override;

 private:
  ComPtr<IEnumVARIANT> enumerator();
};

// Up to this many components a round trip, where the list offers _NewEnum.
constexpr ULONG kEnumerationChunk = 256;

ComPtr<IEnumVARIANT> ComComponentList::enumerator() {
  auto& connection = *object_.connection();
  const std::string key = object_.kind() + "._NewEnum";
  if (connection.missing.count(key)) return {};
  try {
    const Variant value = object_.get(DISPID_NEWENUM);
    ComPtr<IEnumVARIANT> items;
    const VARIANT& v = value.get();
    IUnknown* unknown = v.vt == VT_UNKNOWN ? v.punkVal : v.vt == VT_DISPATCH ? v.pdispVal : nullptr;
    ++connection.roundTrips;
    if (unknown && SUCCEEDED(unknown->QueryInterface(IID_IEnumVARIANT, items.receiveVoid())))
      return items;
  } catch (const base::Error& e) {
    if (base::errors::isHostGone(e.number()) || isBusyRejection(e.number())) throw;
  }
  connection.missing.insert(key);  // a list of this class has no enumerator
  return {};
}

std::function<Ref<host::Component>(std::int32_t)> ComComponentList::readInOrder(
    std::int32_t count) {
  struct Chunks {
    ComPtr<IEnumVARIANT> items;
    std::vector<Ref<host::Component>> read;  // positions 1 to read.size()
    bool ended = false;                      // the enumerator gave out early
  };
  auto chunks = std::make_shared<Chunks>();
  chunks->items = enumerator();
  return [this, chunks, count](std::int32_t position) {
    while (chunks->items && !chunks->ended && position > std::int32_t(chunks->read.size())) {
      VARIANT given[kEnumerationChunk];
      const ULONG wanted = std::min<ULONG>(kEnumerationChunk, count - chunks->read.size());
      ULONG fetched = 0;
      ++object_.connection()->roundTrips;
      const HRESULT result = BusyHostFilter::callWhileBusy(
          [&] { return chunks->items->Next(wanted, given, &fetched); });
      if (FAILED(result)) throw object_.connection()->failure(result);
      for (ULONG i = 0; i < fetched && i < wanted; ++i)
        chunks->read.push_back(wrap<ComComponent>(Variant::adopt(given[i]), memberKind_));
      chunks->ended = fetched < wanted;
    }
    // Past what the enumerator gave, the list answers by position.
    if (position <= std::int32_t(chunks->read.size())) return chunks->read[position - 1];
    return Item(position);
  };
}

class ComScope final : public host::Scope, ComObject {
 public:
  using ComObject::ComObject;
  Ref<host::ComponentList> Components() override {
    return wrap<ComComponentList>(object_.get("Components"), "Scope.Components");
  }
  Ref<host::ComponentList> FindObjects(std::int32_t kind, const std::string& name,
                                       std::int32_t flags) override {
    const Variant a = Variant::fromInt(kind), b = Variant::fromString(name),
                  c = Variant::fromInt(flags);
    return wrap<ComComponentList>(object_.get("FindObjects", {&a, &b, &c}), "Scope.FindObjects");
  }
};

class ComScopeList final : public host::ScopeList, ComObject {
 public:
  using ComObject::ComObject;
  std::int32_t Count() override { return toLong(object_.get("Count")); }
};

class ComDocument final : public host::Document, ComObject {
 public:
  using ComObject::ComObject;
  std::string Name() override { return toText(object_.get("Name")); }
  Ref<host::Scope> CurrentScope() override {
    return wrap<ComScope>(object_.get("CurrentScope"), "Scope");
  }
  Ref<host::ScopeList> Scopes() override {
    return wrap<ComScopeList>(object_.get("Scopes"), "ScopeList");
  }
  Ref<host::ComponentList> Components() override {
    return wrap<ComComponentList>(object_.get("Components"), "Document.Components");
  }
};

class ComApplication final : public host::Application, ComObject {
 public:
  using ComObject::ComObject;
  Ref<host::Document> ActiveDocument() override {
    return wrap<ComDocument>(object_.get("ActiveDocument"), "Document");
  }
  void Prepare() override { object_.call("Prepare"); }
  host::Subscription subscribe(std::function<void(host::HostEvent)> handler) override {
    return subscribeToEvents(object_.raw(), std::move(handler));
  }
};

class ComPcbDocument final : public host::PcbDocument, ComObject {
 public:
  using ComObject::ComObject;
  void ReadEcoFile(const std::string& path) override {
    const Variant file = Variant::fromString(path);
    object_.call("ReadEcoFile", {&file});
  }
};

class ComPcbApplication final : public host::PcbApplication, ComObject {
 public:
  using ComObject::ComObject;
  Ref<host::PcbDocument> ActiveDocument() override {
    return wrap<ComPcbDocument>(object_.get("ActiveDocument"), "PcbDocument");
  }
};

}  // namespace

std::shared_ptr<host::Application> powerLogicOver(ComPtr<IDispatch> application,
                                                  std::shared_ptr<ComConnection> connection) {
  return std::make_shared<ComApplication>(std::move(application), "Application",
                                          std::move(connection));
}

std::shared_ptr<host::PcbApplication> powerPcbOver(ComPtr<IDispatch> application,
                                                   std::shared_ptr<ComConnection> connection) {
  return std::make_shared<ComPcbApplication>(std::move(application), "PcbApplication",
                                             std::move(connection));
}

}  // namespace varnel::win
