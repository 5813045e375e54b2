#include "app/error_display.h"

#include "app/run_texts.h"

namespace varnel::app {

void ErrorDisplay::show(const Error& error) {
  std::string text = userMessage(error);
  link_.noteFailure(error);
  if (errors::isHostGone(error.number())) {
    text += std::string("\n") + kGoneDuringWork;
    view_.setTitle(kNotRunningTitle);
  }
  view_.showMessage(text, "", MessageIcon::critical);
}

void ErrorDisplay::showPlanError(const Error& error) {
  if (error.number() != errors::kStopped) return show(error);
  view_.setStatus("Stopped; nothing was renamed.");
}

}  // namespace varnel::app
