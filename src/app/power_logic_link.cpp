#include "app/power_logic_link.h"

namespace varnel::app {

PowerLogicLink::PowerLogicLink(host::HostAttacher& attacher) : attacher_(attacher) {}

void PowerLogicLink::attach(std::function<void(host::HostEvent)> onEvent) {
  application_ = attacher_.attach();
  // The subscription is best effort: a host that cannot be subscribed to is
  // still attached, and what failed is the subscription, never "no design".
  try {
    eventSubscription_ = application_->subscribe(std::move(onEvent));
    subscribed_ = true;
  } catch (const base::Error&) {
    subscribed_ = false;
  }
  takeDesign();
}

void PowerLogicLink::attachAgain(std::function<void(host::HostEvent)> onEvent) {
  detach();
  attach(std::move(onEvent));
  lost_ = false;
}

void PowerLogicLink::detach() {
  // The old objects belong to a process that is gone, so ending the old
  // subscription fails quietly.
  eventSubscription_.reset();
  subscribed_ = false;
  firstComponent_ = {};
  components_ = {};
  document_ = {};
  application_.reset();
}

host::Ref<host::Document> PowerLogicLink::activeDocument() {
  if (!application_) throw base::errors::objectNotSet();
  auto document = application_->ActiveDocument();
  if (document.empty())
    throw base::Error(base::errors::kNoDesign, "PowerLogic has no design open.");
  return document;
}

void PowerLogicLink::takeDesign() {
  takeDocument();
  takeComponentList();
}

void PowerLogicLink::takeDocument() {
  // The document is asked afresh, since a host may give each open design a
  // document object of its own and let the old one go, or keep it alive for
  // a design that is closed.
  document_ = activeDocument();
  heldDesignName_ = document_->Name();
}

// FindObjects is meant here, where a run asks the scope for its Components:
// the two calls have always differed, and hosts answer both.
void PowerLogicLink::takeComponentList() {
  if (document_->Scopes()->Count() > 1)
    components_ = document_->Components();
  else
    components_ = document_->CurrentScope()->FindObjects(1, "", 0);
  firstComponent_ = components_->Item(1);
}

bool PowerLogicLink::designChanged() {
  return activeDocument()->Name() != heldDesignName_;
}

bool PowerLogicLink::eventChangesDesign(host::HostEvent event) {
  if (event != host::HostEvent::unknown) return true;
  try {
    return designChanged();
  } catch (const base::Error& e) {
    noteFailure(e);
    return false;
  }
}

std::string PowerLogicLink::designName() {
  return document().Name();
}

std::string PowerLogicLink::firstComponentName() {
  return firstComponent_->Name();
}

std::string PowerLogicLink::title() {
  return "Varnel " + designName();
}

host::Document& PowerLogicLink::documentForRun() {
  if (!application_) throw base::errors::objectNotSet();
  application_->Prepare();
  document_ = activeDocument();
  return *document_;
}

host::Document& PowerLogicLink::document() {
  return *document_;
}

void PowerLogicLink::noteFailure(const base::Error& error) {
  if (base::errors::isHostGone(error.number())) lost_ = true;
}

}  // namespace varnel::app
