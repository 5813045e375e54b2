#pragma once
// The one way the main window shows the error of a run, a preview, an undo
// or a recovery: a message with its number and text. An error that says
// PowerLogic's process has gone also says what to do, and the title says so
// until Varnel attaches again.
#include "app/main_window_view.h"
#include "app/power_logic_link.h"
#include "base/error.h"

namespace varnel::app {

class ErrorDisplay {
 public:
  ErrorDisplay(MainWindowView& view, PowerLogicLink& link) : view_(view), link_(link) {}

  void show(const base::Error& error);
  // A plan the user stopped is told in the status bar, since the stop was
  // the user's own doing; any other error is shown as every error is.
  void showPlanError(const base::Error& error);

 private:
  MainWindowView& view_;
  PowerLogicLink& link_;
};

}  // namespace varnel::app
