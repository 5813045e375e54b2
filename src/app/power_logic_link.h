#pragma once
// The link to the running PowerLogic: attaching to it and attaching again
// after it was started anew, its events (where it lets them be subscribed
// to), the design open in it and whether that is still the one Varnel took,
// and whether its process has gone. A run takes from it the document it
// works on.
#include <functional>
#include <memory>
#include <string>

#include "base/error.h"
#include "host/automation.h"

namespace varnel::app {

class PowerLogicLink {
 public:
  explicit PowerLogicLink(host::HostAttacher& attacher);
  PowerLogicLink(const PowerLogicLink&) = delete;
  PowerLogicLink& operator=(const PowerLogicLink&) = delete;

  // Attaches to the running PowerLogic, subscribes onEvent to its events
  // where it lets itself be subscribed to (see subscribed()), and takes its
  // design. Throws 429 when none runs; 0x80040202 when no design is loaded
  // (or PowerLogic says so), or the design is empty; else what the host throws.
  void attach(std::function<void(host::HostEvent)> onEvent);
  // Drops the link to a PowerLogic whose process has gone.
  void detach();
  // Drops the old link and attaches as attach() does; PowerLogic is then no
  // longer lost.
  void attachAgain(std::function<void(host::HostEvent)> onEvent);
  // Whether PowerLogic's events reach Varnel. Without them the open design
  // must be compared (designChanged) before each run.
  bool subscribed() const { return subscribed_; }

  // Takes the design open now, as start-up does: takeDocument, then
  // takeComponentList.
  void takeDesign();
  // The document of the design open now, asked afresh, and its name.
  void takeDocument();
  // The component list of the document taken, and its first component.
  void takeComponentList();
  // True when the design open in PowerLogic is not the one taken last (by
  // its name); error 0x80040202 when none is open.
  bool designChanged();
  // True when the event says that PowerLogic opened another design. An
  // event of unknown meaning says so when the open design is another than
  // the one taken; PowerLogic's process found gone is noted (see lost()).
  bool eventChangesDesign(host::HostEvent event);

  // The name of the design taken last, asked afresh.
  std::string designName();
  // The same as it was when the design was taken: no call to PowerLogic.
  const std::string& heldDesignName() const { return heldDesignName_; }
  // The first component of the list taken (start-up reads it); error 91
  // before any list was taken.
  std::string firstComponentName();
  // "Varnel " and the design's name, asked afresh: the main window's title.
  std::string title();

  // The start of every run, preview and undo: PowerLogic is told to get
  // ready, and the document of the design open now is taken.
  host::Document& documentForRun();
  // The document taken last; error 91 before any was taken.
  host::Document& document();

  // True once an error said that PowerLogic's process has gone, until
  // Varnel attaches again.
  bool lost() const { return lost_; }
  // Notes that PowerLogic's process has gone when error says so.
  void noteFailure(const base::Error& error);

 private:
  host::Ref<host::Document> activeDocument();

  host::HostAttacher& attacher_;
  std::shared_ptr<host::Application> application_;
  host::Subscription eventSubscription_;
  bool subscribed_ = false;
  bool lost_ = false;
  host::Ref<host::Document> document_;
  std::string heldDesignName_;
  host::Ref<host::ComponentList> components_;
  host::Ref<host::Component> firstComponent_;
};

}  // namespace varnel::app
