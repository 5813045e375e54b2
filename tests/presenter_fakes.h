#pragma once
// The main window's logic over the in-memory host, everything else faked. A
// fixture sets what it needs (journals kept, answers, another host for the
// attacher) and then calls presenter.onLoad().
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/main_window_presenter.h"
#include "app/progress_display.h"
#include "fixtures.h"

namespace varnel::tests {

struct PresenterFakes : HostedSession {
  FakeView view;
  FakePreview preview;
  FakeNumberingOptions numberingOptions;
  app::MainWindowPresenter presenter{view,    link, session, preview, journals, numberingOptions,
                                     activity};

  explicit PresenterFakes(std::shared_ptr<standin::MemoryHost> h) : HostedSession(std::move(h)) {}
  std::vector<std::string> names() const { return designators(host->design()); }
  // The window's message loop hands the posted events over.
  void pump() {
    for (host::HostEvent event : std::exchange(view.posted, {})) presenter.onHostEvent(event);
  }
};

}  // namespace varnel::tests
