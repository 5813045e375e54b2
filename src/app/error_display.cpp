#include "app/error_display.h"

#include "app/run_texts.h"

namespace varnel::app {

void ErrorDisplay::show(const base::Error& error) {
  std::string text = base::userMessage(error);
  link_.noteFailure(error);
  if (base::errors::isHostGone(error.number())) {
    text += std::string("\n") + kGoneDuringWork;
    view_.setTitle(kNotRunningTitle);
  }
  view_.showMessage(text, "", MessageIcon::critical);
}

void ErrorDisplay::showPlanError(const base::Error& error) {
  if (error.number() != base::errors::kStopped) return show(error);
  view_.setStatus("Stopped; nothing was renamed.");
}

}  // namespace varnel::app
