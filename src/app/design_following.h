#pragma once
// How the main window follows PowerLogic: it attaches at start-up, takes
// the design that PowerLogic opens (told by its events, or found by
// comparing names before a run when it sends none), attaches again after
// PowerLogic was started anew, and ends Varnel when PowerLogic or its design
// is missing at the start. The title names the design Varnel works on.
#include <string>

#include "app/main_window_view.h"
#include "app/power_logic_link.h"

namespace varnel::app {

class DesignFollowing {
 public:
  // What the window does once a design is taken, and how Varnel ends.
  class Owner {
   public:
    virtual ~Owner() = default;
    // Closes a cut-off run of the design just taken before anything else
    // is done with it; true when one was offered.
    virtual bool closeCutOffRun() = 0;
    // Ends Varnel, and true once it is ending (End, or a message that ended it).
    virtual void endProgram() = 0;
    virtual bool ending() const = 0;
  };

  DesignFollowing(MainWindowView& view, PowerLogicLink& link, Owner& owner)
      : view_(view), link_(link), owner_(owner) {}

  // Attaches at start-up and titles the window; false when it could not, and
  // the program ends when PowerLogic or its design is missing.
  bool start();
  // An event of PowerLogic's: the design it opened is taken.
  void follow(host::HostEvent event);
  // Without PowerLogic's events the design open now is compared before each
  // run, preview and undo: another one is taken, as OpenDocument would take
  // it, and named to the user. True when it was, and nothing else is to be done.
  bool tookAnotherDesign();
  // True when the click may go on with what it asked: PowerLogic was not
  // lost, or Varnel attached to it again, found the design it worked on
  // before, and had no cut-off run of it to close first.
  bool attachedIfLost();

 private:
  void takeNewDesign();
  bool attachAgain();
  void endOnMissingHost(const base::Error& error, const char* noDesignText);

  MainWindowView& view_;
  PowerLogicLink& link_;
  Owner& owner_;
};

}  // namespace varnel::app
