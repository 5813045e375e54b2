#include "app/design_following.h"

#include "app/run_texts.h"

namespace varnel::app {

bool DesignFollowing::start() {
  try {
    link_.attach([this](host::HostEvent event) { view_.deliverLater(event); });
    view_.setTitle(link_.title());
    return true;
  } catch (const base::Error& e) {
    endOnMissingHost(e, "You must load a project before running Varnel");
  } catch (const std::exception&) {
    // Start-up stops quietly on anything else, as on any other error.
  }
  return false;
}

void DesignFollowing::follow(host::HostEvent event) {
  if (link_.eventChangesDesign(event)) takeNewDesign();
}

bool DesignFollowing::tookAnotherDesign() {
  if (link_.subscribed()) return false;
  try {
    if (!link_.designChanged()) return false;
  } catch (const base::Error&) {
    return false;  // the run itself says what is wrong
  }
  takeNewDesign();
  if (owner_.ending()) return true;
  std::string name;
  try {
    name = link_.designName();
  } catch (const base::Error&) {
  }
  view_.showMessage("Another design is open in PowerLogic. Varnel now works on the design " + name +
                        "; nothing was renamed.",
                    "", MessageIcon::information);
  return true;
}

void DesignFollowing::takeNewDesign() {
  try {
    link_.takeDocument();
    // The title without a blank while the list is taken is meant: it is how
    // the window has always titled itself for that moment.
    view_.setTitle("Varnel" + link_.designName());
    view_.setChecked(Control::allComponents, false);
    link_.takeComponentList();
    view_.setTitle(link_.title());
  } catch (const base::Error& e) {
    link_.noteFailure(e);
    endOnMissingHost(e, "There is no componets in project");  // "componets" is meant
    return;
  } catch (const std::exception&) {
    return;
  }
  owner_.closeCutOffRun();
}

bool DesignFollowing::attachedIfLost() {
  return !link_.lost() || attachAgain();
}

// Another design is named and nothing else is done, so that the user sees
// which design the next click renames.
bool DesignFollowing::attachAgain() {
  const std::string before = link_.heldDesignName();
  try {
    link_.attachAgain([this](host::HostEvent event) { view_.deliverLater(event); });
    view_.setTitle(link_.title());
  } catch (const base::Error& e) {
    const std::string text =
        e.number() == base::errors::kCannotCreateObject ? kNotRunningOnRun
        : e.number() == base::errors::kNoDesign
            ? "PowerLogic has no design loaded. Open your design, then press Run again."
            : "Varnel could not attach to PowerLogic.\n" + userMessage(e);
    view_.showMessage(text, "", MessageIcon::exclamation);
    return false;
  }
  if (link_.heldDesignName() == before) return !owner_.closeCutOffRun();
  view_.showMessage("PowerLogic was started again. Varnel now works on the design " +
                        link_.designName() + "; press Run to renumber it.",
                    "", MessageIcon::information);
  owner_.closeCutOffRun();
  return false;
}

// The one message that ends the program, for the two errors that say the
// host or its design is missing; other errors stop quietly.
void DesignFollowing::endOnMissingHost(const base::Error& e, const char* noDesignText) {
  const char* text = e.number() == base::errors::kNoDesign             ? noDesignText
                     : e.number() == base::errors::kCannotCreateObject ? kNotRunning
                                                                       : nullptr;
  if (!text) return;
  view_.showMessage(text, "", MessageIcon::critical);
  owner_.endProgram();
}

}  // namespace varnel::app
