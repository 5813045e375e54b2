#pragma once
// PowerLogic's automation objects as the engine sees them.
//
// Host contract the engine relies on:
// - Every operation either succeeds or throws varnel::base::Error with the host's
//   number and text; nothing fails silently.
// - ObjectList::Item takes a position from 1 to Count, or a name. A name that
//   no member bears gives an empty Ref, never an error.
// - Writing Component::Name renames at once: later lookups by name and Name
//   reads see the new name. A rename never changes the order of any
//   component list, so a position stays valid for the whole run.
// - Document::Components, Scope::Components of the current scope and
//   Scope::FindObjects(1, "", 0) list the same components in the same order.
// - X(0) and Y(0) of a component's first placement give its sheet position.
// Texts are UTF-8.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "host/ref.h"

namespace varnel::host {

template <class T>
class ObjectList {
 public:
  virtual ~ObjectList() = default;
  virtual Ref<T> Item(std::int32_t position) = 0;    // 1-based
  virtual Ref<T> Item(const std::string& name) = 0;  // empty Ref when unknown
  virtual std::int32_t Count() = 0;
  // A reader of the members 1 to count, to be called with 1, 2, ... in turn:
  // Item(position) unless the host hands the members over faster, in chunks.
  // Fails as Item does; valid while the list lives.
  virtual std::function<Ref<T>(std::int32_t)> readInOrder(std::int32_t count) {
    (void)count;
    return [this](std::int32_t position) { return Item(position); };
  }
};

class Placement {
 public:
  virtual ~Placement() = default;
  virtual double X(std::int32_t index) = 0;
  virtual double Y(std::int32_t index) = 0;
};

class Component {
 public:
  virtual ~Component() = default;
  virtual std::string Name() = 0;
  virtual void setName(const std::string& name) = 0;
  virtual Ref<ObjectList<Placement>> Placements() = 0;
  virtual bool Selected() = 0;
};

using ComponentList = ObjectList<Component>;

class Scope {
 public:
  virtual ~Scope() = default;
  virtual Ref<ComponentList> Components() = 0;
  virtual Ref<ComponentList> FindObjects(std::int32_t kind, const std::string& name,
                                         std::int32_t flags) = 0;
};

class ScopeList {
 public:
  virtual ~ScopeList() = default;
  virtual std::int32_t Count() = 0;
};

class Document {
 public:
  virtual ~Document() = default;
  virtual std::string Name() = 0;
  virtual Ref<Scope> CurrentScope() = 0;
  virtual Ref<ScopeList> Scopes() = 0;
  virtual Ref<ComponentList> Components() = 0;
};

// Ends a subscription when destroyed; move-only.
class Subscription {
 public:
  Subscription() = default;
  explicit Subscription(std::function<void()> cancel) : cancel_(std::move(cancel)) {}
  Subscription(Subscription&& other) noexcept : cancel_(std::exchange(other.cancel_, {})) {}
  Subscription& operator=(Subscription&& other) noexcept {
    if (this != &other) {
      reset();
      cancel_ = std::exchange(other.cancel_, {});
    }
    return *this;
  }
  Subscription(const Subscription&) = delete;
  Subscription& operator=(const Subscription&) = delete;
  ~Subscription() { reset(); }

  void reset() {
    if (cancel_) std::exchange(cancel_, {})();
  }

 private:
  std::function<void()> cancel_;
};

// What an event of the host says, as far as the client can tell: a design
// was opened, or something happened whose meaning the host did not say (it
// published no type information for its events).
enum class HostEvent { designOpened, unknown };

class Application {
 public:
  virtual ~Application() = default;
  // The open design; an empty Ref, or error 0x80040202, when none is loaded.
  virtual Ref<Document> ActiveDocument() = 0;
  virtual void Prepare() = 0;
  // The handler runs on the caller's thread for each event of the host. It
  // may run while a call into the host waits, so it must only note the
  // event, never call the host. Throws when the host cannot be subscribed to.
  virtual Subscription subscribe(std::function<void(HostEvent)> handler) = 0;
};

// Attaches to the running PowerLogic; error 429 when none runs or it is not
// registered. Never starts one.
class HostAttacher {
 public:
  virtual ~HostAttacher() = default;
  virtual std::shared_ptr<Application> attach() = 0;
};

}  // namespace varnel::host
