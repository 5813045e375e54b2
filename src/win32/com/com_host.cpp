#include "win32/com/com_host.h"

#include "win32/com/dispatch.h"
#include "win32/com/event_sink.h"
#include "win32/com/powerlogic_ids.h"

namespace varnel::win {

namespace {

using host::Ref;

// Every host object holds its IDispatch and calls members by name.
class ComObject {
 protected:
  ComObject(ComPtr<IDispatch> object, const char* kind) : object_(std::move(object), kind) {}
  DispatchObject object_;
};

template <class T>
Ref<T> wrap(const Variant& value) {
  auto object = toObject(value);
  if (!object) return {};
  return host::makeRef<T>(std::move(object));
}

class ComPlacement final : public host::Placement, ComObject {
 public:
  explicit ComPlacement(ComPtr<IDispatch> o) : ComObject(std::move(o), "Placement") {}
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
class ComObjectList final : public host::ObjectList<T>, ComObject {
 public:
  explicit ComObjectList(ComPtr<IDispatch> o) : ComObject(std::move(o), "ObjectList") {}
  Ref<T> Item(std::int32_t position) override {
    const Variant index = Variant::fromInt(position);
    return wrap<Wrapper>(object_.get("Item", {&index}));
  }
  Ref<T> Item(const std::string& name) override {
    const Variant index = Variant::fromString(name);
    return wrap<Wrapper>(object_.get("Item", {&index}));
  }
  std::int32_t Count() override { return toLong(object_.get("Count")); }
};

class ComComponent final : public host::Component, ComObject {
 public:
  explicit ComComponent(ComPtr<IDispatch> o) : ComObject(std::move(o), "Component") {}
  std::string Name() override { return toText(object_.get("Name")); }
  void setName(const std::string& name) override { object_.put("Name", Variant::fromString(name)); }
  Ref<host::ObjectList<host::Placement>> Placements() override {
    return wrap<ComObjectList<host::Placement, ComPlacement>>(object_.get("Placements"));
  }
  bool Selected() override { return toBool(object_.get("Selected")); }
};

using ComComponentList = ComObjectList<host::Component, ComComponent>;

class ComScope final : public host::Scope, ComObject {
 public:
  explicit ComScope(ComPtr<IDispatch> o) : ComObject(std::move(o), "Scope") {}
  Ref<host::ComponentList> Components() override {
    return wrap<ComComponentList>(object_.get("Components"));
  }
  Ref<host::ComponentList> FindObjects(std::int32_t kind, const std::string& name,
                                       std::int32_t flags) override {
    const Variant a = Variant::fromInt(kind), b = Variant::fromString(name),
                  c = Variant::fromInt(flags);
    return wrap<ComComponentList>(object_.get("FindObjects", {&a, &b, &c}));
  }
};

class ComScopeList final : public host::ScopeList, ComObject {
 public:
  explicit ComScopeList(ComPtr<IDispatch> o) : ComObject(std::move(o), "ScopeList") {}
  std::int32_t Count() override { return toLong(object_.get("Count")); }
};

class ComDocument final : public host::Document, ComObject {
 public:
  explicit ComDocument(ComPtr<IDispatch> o) : ComObject(std::move(o), "Document") {}
  std::string Name() override { return toText(object_.get("Name")); }
  Ref<host::Scope> CurrentScope() override { return wrap<ComScope>(object_.get("CurrentScope")); }
  Ref<host::ScopeList> Scopes() override { return wrap<ComScopeList>(object_.get("Scopes")); }
  Ref<host::ComponentList> Components() override {
    return wrap<ComComponentList>(object_.get("Components"));
  }
};

class ComApplication final : public host::Application, ComObject {
 public:
  explicit ComApplication(ComPtr<IDispatch> o) : ComObject(std::move(o), "Application") {}
  Ref<host::Document> ActiveDocument() override {
    return wrap<ComDocument>(object_.get("ActiveDocument"));
  }
  void Prepare() override { object_.call("Prepare"); }
  host::Subscription onOpenDocument(std::function<void()> handler) override {
    return adviseOpenDocument(object_.raw(), std::move(handler));
  }
};

class ComPcbDocument final : public host::PcbDocument, ComObject {
 public:
  explicit ComPcbDocument(ComPtr<IDispatch> o) : ComObject(std::move(o), "PcbDocument") {}
  void ReadEcoFile(const std::string& path) override {
    const Variant file = Variant::fromString(path);
    object_.call("ReadEcoFile", {&file});
  }
};

class ComPcbApplication final : public host::PcbApplication, ComObject {
 public:
  explicit ComPcbApplication(ComPtr<IDispatch> o) : ComObject(std::move(o), "PcbApplication") {}
  Ref<host::PcbDocument> ActiveDocument() override {
    return wrap<ComPcbDocument>(object_.get("ActiveDocument"));
  }
};

}  // namespace

std::shared_ptr<host::Application> ComHostAttacher::attach() {
  return std::make_shared<ComApplication>(attachRunning(kPowerLogicProgId));
}

std::shared_ptr<host::PcbApplication> ComPcbConnector::attach() {
  return std::make_shared<ComPcbApplication>(attachRunning(kPowerPcbProgId));
}

}  // namespace varnel::win
