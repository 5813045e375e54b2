#pragma once
// The runs made over the link to PowerLogic. A run reads
// the design once, works the whole run out, settles where its ECO file goes,
// applies the planned renames and finishes: the report of designators left
// alone, the ECO file, the progress bar back at 0. Nothing of a run outlives
// it but the outcome it returns.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/eco_delivery.h"
#include "app/journal.h"
#include "app/journal_store.h"
#include "app/power_logic_link.h"
#include "app/progress_display.h"
#include "app/report_view.h"
#include "app/run_activity.h"
#include "app/run_request.h"
#include "base/error.h"
#include "eco/change_log.h"
#include "host/automation.h"
#include "model/board_placement.h"
#include "model/design_snapshot.h"
#include "renumber/renumber_plan.h"

namespace varnel::app {

struct RunOutcome {
  eco::ChangeLog log;                          // the renames the design underwent
  std::vector<std::string> ignored;            // designators left alone, in the order met
  std::vector<renumber::Unnamable> unnamable;  // components the run could not name, left alone
  std::optional<base::Error> error;            // a refusal, or what stopped the run
  bool cancelled = false;                      // the user cancelled the save dialog: no run
  bool applied = false;             // the plan reached the design (wholly, or up to a failure)
  std::string journal;              // the journal written, if any
  EcoOutput eco = EcoOutput::none;  // where the ECO file went
  std::string ecoFile;              // the file written or read by PowerPCB
  bool noneSelected = false;        // a selected-components run found no selection
  // A run by board position: the designators left alone because the
  // placement file does not place them, and those only the file has.
  std::vector<std::string> notOnBoard, onlyOnBoard;
  bool deliveryOnly = false;  // the ECO file of renames made before: none made now
  bool takenBack = false;     // an undo: the renames took a run back
  // The user stopped the run after its first rename: its journal is left
  // cut off, for the run to be finished, taken back or left at once.
  bool stoppedCutOff = false;
};

// The records that end a run's journal: how the run ended, and how a run
// that was cut off was closed.
struct JournalEnd {
  std::string ended;
  std::string closed;
};

// A run worked out and not made: the design it read and its plan, or why
// it would be refused.
struct PlannedRun {
  model::DesignSnapshot design;
  renumber::RenumberPlan plan;
  std::optional<base::Error> error;
  // A forced read whose PowerPCB, or the layout in it, cannot be reached
  // now: what PowerPCB said. The plan stands; making it would be refused.
  std::optional<base::Error> layoutMissing;
  // A run by board position: the placement its files gave.
  std::optional<model::BoardPlacement> board;
};

class RenumberingSession {
 public:
  // activity hears how long work goes, and is asked between two calls to
  // PowerLogic whether to stop.
  RenumberingSession(PowerLogicLink& link, app::ProgressDisplay& progress, app::ReportView& report,
                     EcoDelivery& delivery, JournalStore& journals,
                     RunActivity& activity = quietActivity());
  RenumberingSession(const RenumberingSession&) = delete;
  RenumberingSession& operator=(const RenumberingSession&) = delete;

  // Makes the run asked for. An undo marks the journal it took back undone
  // once it is done.
  RunOutcome run(const RunRequest& request);
  // The run worked out as run() would, refusals included, renaming nothing;
  // no file is asked for (PowerPCB is reached for a forced read).
  PlannedRun plan(const RunRequest& request);
  // A plan shown worked out again for request on the design as it was read
  // for it, asking PowerLogic nothing: the Preview's check boxes.
  PlannedRun planAgain(const PlannedRun& shown, const RunRequest& request);
  // The renames the cut-off run of journal made, as the open design shows them.
  std::vector<model::Rename> renamesMadeBy(const Journal& journal);
  // The same, as an outcome whose log holds the planned renames; a forced
  // read that could not reach PowerPCB is refused, as the run would be.
  RunOutcome preview(const RunRequest& request);

 private:
  struct DesignRead;
  struct ReadPlan;
  ReadPlan readAndPlan(const RunRequest& request);
  static std::optional<model::BoardPlacement> boardOf(const ReadPlan& planned);
  RunOutcome execute(const RunRequest& request);
  void beginOutcome(RunOutcome& outcome, const RunRequest& request, const ReadPlan& planned,
                    const EcoTarget& target, const JournalSink* journal);
  void markTakenBack(const std::string& journalPath, const std::string& marks, RunOutcome& outcome);
  std::optional<EcoTarget> targetFor(const ReadPlan& planned, const RunRequest& request);
  std::unique_ptr<JournalSink> openJournal(const ReadPlan& planned, const RunRequest& request,
                                           const EcoTarget& target);
  std::unique_ptr<JournalSink> continueJournal(const JournalRun& run,
                                               const std::vector<model::Rename>& made);
  DesignRead readDesign(renumber::RunScope scope);
  void applyPlan(const renumber::RenumberPlan& plan,
                 const std::vector<host::Ref<host::Component>>& parts, RunOutcome& outcome,
                 JournalSink* journal);
  void renameRecorded(host::Component& component, const model::Rename& rename, eco::ChangeLog& log);
  void applyRename(host::Component& component, const model::Rename& planned, eco::ChangeLog& log,
                   JournalSink* journal);
  void reportIgnored(const std::vector<std::string>& names,
                     const std::vector<renumber::Unnamable>& unnamable);
  void finish(RunOutcome& outcome, const std::optional<base::Error>& failure,
              const EcoTarget& target, std::size_t planned, JournalSink* journal,
              const JournalEnd& end);
  bool deliverMarked(const EcoTarget& target, const eco::ChangeLog& log, JournalSink* journal,
                     std::optional<base::Error>& failure);
  RunOutcome deliverRecorded(const Recovering& closing, const RunRequest& request);
  void checkForStop();
  struct StoppedAt {
    std::size_t made;     // renames this run made before the stop
    std::size_t planned;  // of its plan
    bool recovering;      // closing a run cut off before
  };
  void endStopped(RunOutcome& outcome, const base::Error& stop, StoppedAt at, JournalSink* journal);
  void deliverAgain(const Recovering& closing, const RunRequest& request, RunOutcome& outcome);
  host::Ref<host::ComponentList> componentListFor(std::int32_t scopeCount);

  PowerLogicLink& link_;
  app::ProgressDisplay& progress_;
  app::ReportView& report_;
  EcoDelivery& delivery_;
  JournalStore& journals_;
  RunActivity& activity_;
};

}  // namespace varnel::app
