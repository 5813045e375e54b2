#include "standin/memory_host.h"

#include <algorithm>
#include <stdexcept>
#include <unordered_map>

namespace varnel::standin {

namespace {

using host::Component;
using host::ComponentList;
using host::ObjectList;
using host::Placement;
using host::Ref;

struct Fault {
  std::int64_t atCall;
  base::Error error;
  bool persistent;
};

}  // namespace

// A loaded design: the stand-in keeps its designs as the run does.
struct LoadedDesign {
  model::WorkingDesign design;
  explicit LoadedDesign(DesignData data) : design(std::move(data)) {}
  const DesignData& data() const { return design.design(); }
};

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

struct HostState {
  std::shared_ptr<LoadedDesign> design;
  std::int64_t calls = 0;
  std::map<std::string, std::int64_t> byOperation;
  std::uint64_t callOrder = kFnvOffset;
  std::optional<Fault> fault;
  std::vector<RenameRecord> renames;
  std::vector<std::function<void(const RenameRecord&)>> renameListeners;
  std::function<void(std::int64_t, const char*)> callListener;
  std::map<int, std::function<void()>> openHandlers;
  std::map<int, std::function<void()>> selectionHandlers;
  int nextHandlerId = 0;

  // Every host operation starts here: counted, then maybe failed.
  void call(const char* operation) {
    ++calls;
    ++byOperation[operation];
    // FNV-1a over the operations' names, each ended by a zero byte.
    for (const char* c = operation;; ++c) {
      callOrder = (callOrder ^ static_cast<unsigned char>(*c)) * kFnvPrime;
      if (!*c) break;
    }
    if (callListener) callListener(calls, operation);
    if (!fault || calls < fault->atCall) return;
    if (calls == fault->atCall || fault->persistent) {
      base::Error error = fault->error;
      if (!fault->persistent) fault.reset();
      throw error;
    }
  }

  const std::shared_ptr<LoadedDesign>& loaded() const {
    if (!design) throw base::Error(base::errors::kNoDesign, "No design is loaded");
    return design;
  }
};

namespace {

class MemoryPlacement final : public Placement {
 public:
  MemoryPlacement(std::shared_ptr<HostState> host, std::shared_ptr<LoadedDesign> design,
                  std::int32_t index)
      : host_(std::move(host)), design_(std::move(design)), index_(index) {}
  double X(std::int32_t) override {
    host_->call("Placement.X");
    return design_->data().parts[index_].x;
  }
  double Y(std::int32_t) override {
    host_->call("Placement.Y");
    return design_->data().parts[index_].y;
  }

 private:
  std::shared_ptr<HostState> host_;
  std::shared_ptr<LoadedDesign> design_;
  std::int32_t index_;
};

class PlacementList final : public ObjectList<Placement> {
 public:
  PlacementList(std::shared_ptr<HostState> host, std::shared_ptr<LoadedDesign> design,
                std::int32_t index)
      : host_(std::move(host)), design_(std::move(design)), index_(index) {}
  Ref<Placement> Item(std::int32_t position) override {
    host_->call("Placements.Item");
    if (position != 1) throw base::Error(kBadIndex, "Invalid index");
    return host::makeRef<MemoryPlacement>(host_, design_, index_);
  }
  Ref<Placement> Item(const std::string&) override {
    host_->call("Placements.Item");
    return {};
  }
  std::int32_t Count() override {
    host_->call("Placements.Count");
    return 1;
  }

 private:
  std::shared_ptr<HostState> host_;
  std::shared_ptr<LoadedDesign> design_;
  std::int32_t index_;
};

class MemoryComponent final : public Component {
 public:
  MemoryComponent(std::shared_ptr<HostState> host, std::shared_ptr<LoadedDesign> design,
                  std::int32_t index)
      : host_(std::move(host)), design_(std::move(design)), index_(index) {}

  std::string Name() override {
    host_->call("Component.Name");
    return design_->data().parts[index_].designator;
  }

  void setName(const std::string& name) override {
    host_->call("Component.setName");
    const std::string old = design_->data().parts[index_].designator;
    if (!design_->design.rename(index_ + 1, name)) return;
    if (host_->design != design_) return;  // a design no longer open
    host_->renames.push_back({index_ + 1, old, name});
    for (auto& listener : host_->renameListeners) listener(host_->renames.back());
  }

  Ref<ObjectList<Placement>> Placements() override {
    host_->call("Component.Placements");
    return host::makeRef<PlacementList>(host_, design_, index_);
  }

  bool Selected() override {
    host_->call("Component.Selected");
    return design_->data().parts[index_].selected;
  }

 private:
  std::shared_ptr<HostState> host_;
  std::shared_ptr<LoadedDesign> design_;
  std::int32_t index_;
};

class MemoryComponentList final : public ComponentList {
 public:
  MemoryComponentList(std::shared_ptr<HostState> host, std::shared_ptr<LoadedDesign> design)
      : host_(std::move(host)), design_(std::move(design)) {}

  Ref<Component> Item(std::int32_t position) override {
    host_->call("Components.Item");
    const std::int32_t count = design_->design.count();
    if (count == 0) throw base::Error(base::errors::kNoDesign, "The design has no components");
    if (position < 1 || position > count) throw base::Error(kBadIndex, "Invalid index");
    return host::makeRef<MemoryComponent>(host_, design_, position - 1);
  }

  Ref<Component> Item(const std::string& name) override {
    host_->call("Components.Item");
    const auto position = design_->design.positionOf(name);
    if (!position) return {};
    return host::makeRef<MemoryComponent>(host_, design_, *position - 1);
  }

  std::int32_t Count() override {
    host_->call("Components.Count");
    return design_->design.count();
  }

 private:
  std::shared_ptr<HostState> host_;
  std::shared_ptr<LoadedDesign> design_;
};

class MemoryScope final : public host::Scope {
 public:
  explicit MemoryScope(std::shared_ptr<HostState> host) : host_(std::move(host)) {}
  Ref<ComponentList> Components() override {
    host_->call("Scope.Components");
    return host::makeRef<MemoryComponentList>(host_, host_->loaded());
  }
  Ref<ComponentList> FindObjects(std::int32_t kind, const std::string& name,
                                 std::int32_t) override {
    host_->call("Scope.FindObjects");
    auto design = host_->loaded();
    if (kind != 1 || !name.empty()) design = std::make_shared<LoadedDesign>(DesignData{});
    return host::makeRef<MemoryComponentList>(host_, design);
  }

 private:
  std::shared_ptr<HostState> host_;
};

class MemoryScopeList final : public host::ScopeList {
 public:
  explicit MemoryScopeList(std::shared_ptr<HostState> host) : host_(std::move(host)) {}
  std::int32_t Count() override {
    host_->call("Scopes.Count");
    return host_->loaded()->data().scopes;
  }

 private:
  std::shared_ptr<HostState> host_;
};

// Stands for whichever design is open, as the host's document object does.
class MemoryDocument final : public host::Document {
 public:
  explicit MemoryDocument(std::shared_ptr<HostState> host) : host_(std::move(host)) {}
  std::string Name() override {
    host_->call("Document.Name");
    return host_->loaded()->data().name;
  }
  Ref<host::Scope> CurrentScope() override {
    host_->call("Document.CurrentScope");
    host_->loaded();
    return host::makeRef<MemoryScope>(host_);
  }
  Ref<host::ScopeList> Scopes() override {
    host_->call("Document.Scopes");
    host_->loaded();
    return host::makeRef<MemoryScopeList>(host_);
  }
  Ref<ComponentList> Components() override {
    host_->call("Document.Components");
    return host::makeRef<MemoryComponentList>(host_, host_->loaded());
  }

 private:
  std::shared_ptr<HostState> host_;
};

}  // namespace

MemoryHost::MemoryHost() : state_(std::make_shared<HostState>()) {}

MemoryHost::MemoryHost(DesignData design) : MemoryHost() {
  state_->design = std::make_shared<LoadedDesign>(std::move(design));
}

MemoryHost::~MemoryHost() = default;

void MemoryHost::open(DesignData design) {
  state_->design = std::make_shared<LoadedDesign>(std::move(design));
  state_->renames.clear();
  auto handlers = state_->openHandlers;  // a handler may unsubscribe
  for (auto& [id, handler] : handlers) handler();
}

bool MemoryHost::hasDesign() const {
  return state_->design != nullptr;
}

const DesignData& MemoryHost::design() const {
  if (!state_->design) throw std::logic_error("no design is loaded");
  return state_->design->data();
}

void MemoryHost::setSelected(std::int32_t position, bool selected) {
  auto& design = state_->loaded()->design;
  if (position < 1 || position > design.count()) throw std::out_of_range("no such position");
  if (design.design().parts[position - 1].selected == selected) return;
  design.setSelected(position, selected);
  // A copy: a listener may subscribe or end its subscription.
  const auto listeners = state_->selectionHandlers;
  for (const auto& [id, listener] : listeners) listener();
}

std::int64_t MemoryHost::totalCalls() const {
  return state_->calls;
}

std::map<std::string, std::int64_t> MemoryHost::callsByOperation() const {
  return state_->byOperation;
}

std::uint64_t MemoryHost::callOrder() const {
  return state_->callOrder;
}

void MemoryHost::resetCounts() {
  state_->calls = 0;
  state_->byOperation.clear();
  state_->callOrder = kFnvOffset;
}

void MemoryHost::failCall(std::int64_t nth, base::Error error, bool persistent) {
  state_->fault = Fault{state_->calls + nth, std::move(error), persistent};
}

void MemoryHost::clearFault() {
  state_->fault.reset();
}

const std::vector<RenameRecord>& MemoryHost::renames() const {
  return state_->renames;
}

void MemoryHost::onRenamed(std::function<void(const RenameRecord&)> listener) {
  state_->renameListeners.push_back(std::move(listener));
}

void MemoryHost::onCall(std::function<void(std::int64_t, const char*)> listener) {
  state_->callListener = std::move(listener);
}

host::Ref<host::Document> MemoryHost::ActiveDocument() {
  state_->call("Application.ActiveDocument");
  state_->loaded();
  return host::makeRef<MemoryDocument>(state_);
}

void MemoryHost::Prepare() {
  state_->call("Application.Prepare");
}

namespace {

host::Subscription listen(const std::shared_ptr<HostState>& state,
                          std::map<int, std::function<void()>> HostState::*listeners,
                          std::function<void()> listener) {
  const int id = state->nextHandlerId++;
  ((*state).*listeners)[id] = std::move(listener);
  std::weak_ptr<HostState> weak = state;
  return host::Subscription([weak, listeners, id] {
    if (auto alive = weak.lock()) ((*alive).*listeners).erase(id);
  });
}

}  // namespace

host::Subscription MemoryHost::onOpenDocument(std::function<void()> listener) {
  return listen(state_, &HostState::openHandlers, std::move(listener));
}

host::Subscription MemoryHost::onSelectionChanged(std::function<void()> listener) {
  return listen(state_, &HostState::selectionHandlers, std::move(listener));
}

host::Subscription MemoryHost::subscribe(std::function<void(host::HostEvent)> handler) {
  return onOpenDocument([handler = std::move(handler)] { handler(host::HostEvent::designOpened); });
}

}  // namespace varnel::standin
