#pragma once
// What the Preview shows and what its Rename makes: a run or an undo worked
// out and shown, renaming nothing; worked out again when a row is unchecked
// or the Numbering options change; planned once more at Rename, and made
// only when it still comes to what the user saw.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/error_display.h"
#include "app/long_work.h"
#include "app/main_window_view.h"
#include "app/preview_view.h"
#include "app/renumbering_session.h"

namespace varnel::app {

class PreviewFlow {
 public:
  PreviewFlow(MainWindowView& view, PreviewView& preview, RenumberingSession& session,
              LongWork& work, ErrorDisplay& errors)
      : view_(view), preview_(preview), session_(session), work_(work), errors_(errors) {}
  PreviewFlow(const PreviewFlow&) = delete;
  PreviewFlow& operator=(const PreviewFlow&) = delete;

  // Works request out and shows its plan, or the error that refuses it.
  void show(const RunRequest& request);
  // A check box of the Preview: unchecked, component is locked for this run;
  // the plan is worked out again at once, on the design as read.
  void rowChecked(const std::string& component, bool checked);
  // The Numbering options kept now, for a renumbering shown: its own locks stay.
  void rulesChanged(const renumber::NumberingRules& rules);
  // The Preview's Rename: the request to make, with the Preview closed, when
  // planning it again comes to the renames shown; otherwise the new plan is
  // shown and the user told, and nothing is to be made yet.
  std::optional<RunRequest> toMake();
  // True while a plan is shown.
  bool showing() const { return previewed_.has_value(); }
  void closed() { previewed_.reset(); }

 private:
  // The plan shown now: what was asked, and the renames it came to.
  struct Previewed {
    RunRequest request;
    std::vector<model::Rename> renames;
    PlannedRun planned;  // as shown
  };
  void changeRules(const std::function<void(renumber::NumberingRules&)>& change);
  void showAgain(RunRequest request);
  void showPlanned(const PlannedRun& planned, const RunRequest& request);

  MainWindowView& view_;
  PreviewView& preview_;
  RenumberingSession& session_;
  LongWork& work_;
  ErrorDisplay& errors_;
  std::optional<Previewed> previewed_;
};

}  // namespace varnel::app
