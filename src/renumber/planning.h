#pragma once
// The state of a run being worked out: the design renamed in memory, the
// run's name tables, and its free names. It lives only inside
// planRenumbering.
#include <optional>
#include <string>
#include <vector>

#include "base/int16.h"
#include "model/name_table.h"
#include "model/placement_table.h"
#include "model/working_design.h"
#include "renumber/board_order.h"
#include "renumber/free_names.h"
#include "renumber/renumber_plan.h"
#include "renumber/run_settings.h"

namespace varnel::renumber {

class Planning {
 public:
  // With board, the run numbers the board's parts in its order and leaves
  // every other component alone.
  Planning(const model::DesignSnapshot& design, const RunSettings& settings,
           const BoardOrder* board = nullptr);
  RenumberPlan run();

  // Renames and records; keeps the free names current.
  void rename(std::int32_t position, const std::string& to,
              RenameReason reason = RenameReason::renamed);

  // Every designator in list order, into allNames.
  void storeAllNames();
  // The selected designators in list order, into selectedNames (and their
  // positions beside them).
  void storeSelectedNames();
  std::int32_t countSelected() const;

  // Before an all-components run: every component whose number lies in the
  // range the run gives moves to a temporary number above every number in use.
  void moveConflictsAside();
  // The selected components in placement order, into sortedNames.
  void sortSelection();
  // The progress bar's range for the run; nothing when it has nothing to do.
  std::optional<ProgressRange> progressRange() const;

  // What the steps above leave, for a look from outside.
  const model::WorkingDesign& design() const { return design_; }
  const model::NameTable& allNames() const { return allNames_; }
  const model::NameTable& selectedNames() const { return selectedNames_; }
  const model::PlacementTable& sortedNames() const { return sortedNames_; }
  const RenumberPlan& plan() const { return plan_; }
  FreeNames& freeNames() { return freeNames_; }

 private:
  void step(bool firstStep);
  void numberAll();
  void numberSelected();
  void assignNextFree(const std::string& wanted);
  void renameDuplicate(const std::string& wanted);
  std::string ownNameIfSole(std::int32_t position) const;
  void ignoreCurrent();
  // The wanted name of the component at hand: its prefix's start plus the
  // offset, past the names the numbering rules hold.
  std::string wantedName();
  bool held(std::int32_t position) const { return !held_.empty() && held_[position - 1]; }
  base::Int16 highestNumber() const;
  base::Int16 startOfCurrent() const;
  void refuseTopReachingBottom(const std::string& name) const;
  bool inMoveRange(std::int64_t number, std::int64_t start, std::int64_t count) const;
  // Where the bottom side's count starts in a run by board position that gives it one.
  std::optional<base::Int16> bottomStart() const;
  std::string temporaryName(const std::string& prefix, std::int64_t number);

  model::WorkingDesign design_;
  const RunSettings settings_;
  model::NameTable allNames_;
  model::NameTable selectedNames_;
  model::PlacementTable sortedNames_;
  FreeNames freeNames_;                          // over design_ and allNames_, declared before it
  std::vector<std::int32_t> selectedPositions_;  // beside selectedNames_
  RenumberPlan plan_;
  std::int32_t position_ = 1;     // positions and counts of components: any number the host gives
  base::Int16 numberOffset_ = 0;  // numbers of designators: 16 bits
  std::int32_t selectedDone_ = 0;
  std::int32_t current_ = 0;   // position of the component at hand
  std::int32_t previous_ = 0;  // and of the one before it
  std::string currentName_;
  bool handledAny_ = false;
  std::vector<bool> held_;      // by position, as read; empty when every rule is at its default
  const BoardOrder* board_;     // null when the run numbers by the sheet
  bool currentBottom_ = false;  // the component at hand is on the board's bottom side
  bool previousBottom_ = false;
};

}  // namespace varnel::renumber
