#pragma once
// The stand-in PowerLogic in memory: host objects over a DesignData. Lists
// keep file order; Document.Components, CurrentScope.Components and
// CurrentScope.FindObjects(1, "", 0) all list every component.
//
// Like a real schematic editor it refuses a rename to a designator that
// another component bears, and a designator that is empty or holds blanks or
// control characters. It counts every call by operation and can be told to
// fail its Nth call (fault injection).
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/automation.h"
#include "model/rename.h"
#include "model/working_design.h"
#include "standin/design.h"

namespace varnel::standin {

inline constexpr std::int64_t kBadIndex = 0x8002000B;

// One successful rename, as the design underwent it.
using RenameRecord = model::Rename;

struct HostState;

class MemoryHost final : public host::Application {
 public:
  MemoryHost();  // no design loaded
  explicit MemoryHost(DesignData design);
  ~MemoryHost() override;

  // Loads a design and raises OpenDocument.
  void open(DesignData design);
  bool hasDesign() const;
  // The current design; throws std::logic_error when none is loaded.
  const DesignData& design() const;
  void setSelected(std::int32_t position, bool selected);

  // Every call into the host objects, in all and by operation ("Component.Name").
  std::int64_t totalCalls() const;
  std::map<std::string, std::int64_t> callsByOperation() const;
  // A hash of the operations called, in their order.
  std::uint64_t callOrder() const;
  void resetCounts();

  // Makes the nth call from now fail with error; with persistent, every call
  // after it fails too (the host has gone).
  void failCall(std::int64_t nth, base::Error error, bool persistent = false);
  void clearFault();

  // Renames since the design was loaded, in order.
  const std::vector<RenameRecord>& renames() const;
  // Called after each successful rename (the stand-in's window and autosave).
  void onRenamed(std::function<void(const RenameRecord&)> listener);
  // Called as each call begins, with its number and operation, before it
  // does anything (the stand-in's crash sweep holds a call there).
  void onCall(std::function<void(std::int64_t, const char*)> listener);

  // Called after a design was opened, and after the selection changed.
  host::Subscription onOpenDocument(std::function<void()> listener);
  host::Subscription onSelectionChanged(std::function<void()> listener);

  host::Ref<host::Document> ActiveDocument() override;
  void Prepare() override;
  // OpenDocument, as a host whose event interface says what its events mean.
  host::Subscription subscribe(std::function<void(host::HostEvent)> handler) override;

 private:
  std::shared_ptr<HostState> state_;
};

using model::isAcceptableDesignator;

}  // namespace varnel::standin
