#pragma once
// The link to the running PowerLogic and the runs made over it. A run reads
// the design once, works the whole run out, settles where its ECO file goes,
// applies the planned renames and finishes: the report of designators left
// alone, the ECO file, the progress bar back at 0. Nothing of a run outlives
// it but the outcome it returns.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/journal.h"
#include "app/progress_display.h"
#include "app/report_view.h"
#include "app/save_dialog.h"
#include "base/error.h"
#include "eco/ansi_encoding.h"
#include "eco/change_log.h"
#include "eco/file_system.h"
#include "host/automation.h"
#include "host/pcb.h"
#include "model/design_snapshot.h"
#include "renumber/renumber_plan.h"
#include "renumber/run_settings.h"

namespace varnel::app {

struct RunOutcome {
  eco::ChangeLog log;                // the renames the design underwent
  std::vector<std::string> ignored;  // designators left alone, in the order met
  std::optional<Error> error;        // a refusal, or what stopped the run
  bool cancelled = false;            // the user cancelled the save dialog: no run
  bool applied = false;              // the plan reached the design (wholly, or up to a failure)
  std::string journal;               // the journal written, if any
  EcoOutput eco = EcoOutput::none;   // where the ECO file went
  std::string ecoFile;               // the file written or read by PowerPCB
  bool noneSelected = false;         // a selected-components run found no selection
};

// A run worked out and not made: the design it read and its plan, or why
// it would be refused.
struct PlannedRun {
  DesignSnapshot design;
  RenumberPlan plan;
  std::optional<Error> error;
  // A forced read whose PowerPCB, or the layout in it, cannot be reached
  // now: what PowerPCB said. The plan stands; making it would be refused.
  std::optional<Error> layoutMissing;
};

// What a run with a forced read refuses with when PowerPCB or its layout
// cannot be reached, and what a Preview says of it under its summary.
Error layoutMissingRefusal(const Error& cause);
std::string layoutMissingNote(const Error& cause);

class RenumberingSession {
 public:
  RenumberingSession(host::HostAttacher& attacher, ui::ProgressDisplay& progress,
                     ui::ReportView& report, ui::SaveDialog& saveDialog, host::PcbConnector& pcb,
                     eco::FileSystem& files, eco::AnsiEncoder& encoder, JournalStore& journals);
  RenumberingSession(const RenumberingSession&) = delete;
  RenumberingSession& operator=(const RenumberingSession&) = delete;

  // Attaches to the running PowerLogic, subscribes onEvent to its events
  // where it lets itself be subscribed to (see subscribed()), and takes its
  // design. Throws 429 when none runs; 0x80040202 when no design is loaded
  // (or PowerLogic says so), or the design is empty; else what the host throws.
  void attach(std::function<void(host::HostEvent)> onEvent);
  // Whether PowerLogic's events reach the session. Without them the open
  // design must be compared (designChanged) before each run.
  bool subscribed() const { return subscribed_; }
  // Drops the link to a PowerLogic whose process has gone.
  void detach();
  // Takes the design open now, as start-up does: takeDocument, then
  // takeComponentList.
  void takeDesign();
  // The document of the design open now, asked afresh, and its name.
  void takeDocument();
  // The component list of the document taken, and its first component.
  void takeComponentList();
  // True when the design open in PowerLogic is not the one taken last (by
  // its name); error 0x80040202 when none is open.
  bool designChanged();
  // The name of the design taken last, asked afresh.
  std::string designName();
  // The first component of the list taken (start-up reads it); error 91
  // before any list was taken.
  std::string firstComponentName();

  RunOutcome run(const RunSettings& settings);
  // The run worked out as run() would, refusals included, renaming nothing;
  // no file is asked for (PowerPCB is reached for a forced read).
  PlannedRun plan(const RunSettings& settings);
  // The same, as an outcome whose log holds the planned renames.
  RunOutcome preview(const RunSettings& settings);
  // The undo of a journal's renames worked out, renaming nothing.
  PlannedRun planTakingBack(const Journal& journal, const RunSettings& settings);
  // Takes back the run of a journal (read from journalPath), as a run with
  // settings' ECO output; marks that journal undone once it is done.
  RunOutcome undo(const Journal& journal, const std::string& journalPath,
                  const RunSettings& settings);
  // The refusal of a run whose ECO file could not be written at path.
  void checkEcoTarget(const std::string& path);

 private:
  struct Delivery;
  struct DesignRead;
  using Planner = std::function<RenumberPlan(const DesignSnapshot&)>;
  RunOutcome execute(const RunSettings& settings, const Planner& planner,
                     const std::string& description);
  std::unique_ptr<JournalSink> openJournal(const RenumberPlan& plan,
                                           const std::string& description);
  DesignRead readDesign(const RunSettings& settings);
  void refuseUnfitNames(const DesignSnapshot& design, const RenumberPlan& plan,
                        const RunSettings& settings);
  std::optional<Delivery> prepareDelivery(const RunSettings& settings);
  void prepareForcedRead(Delivery& delivery);
  std::string forcedReadFileName();
  std::string designNameFor(const std::string& option);
  host::Ref<host::PcbDocument> openLayout();
  void applyPlan(const RenumberPlan& plan, const std::vector<host::Ref<host::Component>>& parts,
                 RunOutcome& outcome, JournalSink* journal);
  void renameRecorded(host::Component& component, const Rename& rename, eco::ChangeLog& log);
  void finish(RunOutcome& outcome, const std::optional<Error>& failure, const Delivery& delivery,
              std::size_t planned, JournalSink* journal);
  bool deliver(const Delivery& delivery, const eco::ChangeLog& log);
  void forceRead(const Delivery& delivery, const eco::ChangeLog& log);
  void writeEco(const std::string& path, const eco::ChangeLog& log);
  void showIgnored(const std::vector<std::string>& names);
  std::string unsavedRenamesNote(const eco::ChangeLog& log);
  std::string freeListFileName();
  std::string stoppedRunSummary(const eco::ChangeLog& log, std::size_t planned,
                                const Delivery& delivery, bool delivered);
  host::Ref<host::ComponentList> componentListFor(std::int32_t scopeCount);
  host::Ref<host::Document> activeDocument();
  void prepareRun();

  host::HostAttacher& attacher_;
  ui::ProgressDisplay& progress_;
  ui::ReportView& report_;
  ui::SaveDialog& saveDialog_;
  host::PcbConnector& pcb_;
  eco::FileSystem& files_;
  eco::AnsiEncoder& encoder_;
  JournalStore& journals_;

  std::shared_ptr<host::Application> application_;
  host::Subscription eventSubscription_;
  bool subscribed_ = false;
  host::Ref<host::Document> document_;
  std::string heldDesignName_;  // the design taken last
  host::Ref<host::ComponentList> components_;
  host::Ref<host::Component> firstComponent_;
};

}  // namespace varnel::app
