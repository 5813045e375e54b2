#pragma once
// A run of the design Varnel works on that its end cut off (or the user
// stopped after its first rename): found in the journals, looked at in the
// design, and put to the user, who chooses how to close it.
#include <optional>
#include <string>

#include "app/error_display.h"
#include "app/journal_store.h"
#include "app/long_work.h"
#include "app/main_window_view.h"
#include "app/renumbering_session.h"

namespace varnel::app {

class CutOffRecovery {
 public:
  CutOffRecovery(MainWindowView& view, JournalLibrary& journals, RenumberingSession& session,
                 LongWork& work, ErrorDisplay& errors)
      : view_(view), journals_(journals), session_(session), work_(work), errors_(errors) {}

  struct Asked {
    bool found = false;                 // a cut-off run of the design was found
    std::optional<RunRequest> closing;  // how the user chose to close it
  };
  // The newest cut-off run of design, and the request that closes it as
  // the user chose. A box that could not be shown, or an error (shown here),
  // leaves the run to be offered at the next start.
  Asked ask(const std::string& design);

 private:
  MainWindowView& view_;
  JournalLibrary& journals_;
  RenumberingSession& session_;
  LongWork& work_;
  ErrorDisplay& errors_;
};

}  // namespace varnel::app
