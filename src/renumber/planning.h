#pragma once
// The state of a run being worked out: the design renamed in memory, the
// run's name tables, and what it has learnt of the numbers in use. It lives
// only inside planRenumbering; its steps are defined beside their concepts.
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/int16.h"
#include "model/name_table.h"
#include "model/working_design.h"
#include "renumber/first_above_tree.h"
#include "renumber/known_used_numbers.h"
#include "renumber/list_name.h"
#include "renumber/renumber_plan.h"
#include "renumber/run_settings.h"

namespace varnel {

class Planning {
 public:
  Planning(const DesignSnapshot& design, const RunSettings& settings);
  RenumberPlan run();

  // Renames and records; keeps the known numbers and parsed names current.
  void rename(std::int32_t position, const std::string& to,
              RenameReason reason = RenameReason::renamed);

  // Every designator in list order, into allNames.
  void storeAllNames();
  // The selected designators in list order, into selectedNames (and their
  // positions beside them).
  void storeSelectedNames();
  Int16 countSelected() const;

  // Before an all-components run: every component whose number lies in the
  // range the run gives moves to a temporary number above every number in use.
  void moveConflictsAside();
  // The selected components in placement order, into sortedNames.
  void sortSelection();
  // Another designator of designator's prefix, as a walk of the stretch of
  // the list that holds the prefix gives it: the first gap above its number,
  // or the number after the stretch's last member. The walk's stops are kept
  // in a tree per stretch, so the answer comes without walking.
  std::string nextFreeName(const std::string& designator);
  // candidate, or the next higher number of its prefix that no component
  // bears; ownName counts as free (the component being renamed bears it).
  std::string firstFreeName(const std::string& candidate, const std::string& ownName);
  // The progress bar's range for the run; nothing when it has nothing to do.
  std::optional<ProgressRange> progressRange() const;

  // What the steps above leave, for a look from outside.
  const WorkingDesign& design() const { return design_; }
  const NameTable& allNames() const { return allNames_; }
  const NameTable& selectedNames() const { return selectedNames_; }
  const PlacementTable& sortedNames() const { return sortedNames_; }
  const RenumberPlan& plan() const { return plan_; }

 private:
  void step(bool firstStep);
  void numberAll();
  void numberSelected();
  void assignNextFree(const std::string& wanted);
  void renameDuplicate(const std::string& wanted);
  std::string ownNameIfSole(std::int32_t position) const;
  void ignoreCurrent();
  const ListName& nameAt(std::int32_t position);

  // The positions a walk for one prefix reads, [start, end), with the key
  // at which each stops it (see gapKey); end is where the stretch stops it,
  // or one past the last item.
  struct Stretch {
    std::int32_t start = 0;
    std::int32_t end = 0;
    order::FirstAboveTree stops;
  };
  Stretch& stretchOf(const std::string& prefix, std::int32_t start);
  int gapKey(std::int32_t position, const std::string& prefix);
  std::optional<std::int32_t> firstPositionOf(const std::string& prefix);
  void updateStops(std::int32_t position, const std::string& oldName);

  WorkingDesign design_;
  const RunSettings settings_;
  NameTable allNames_;
  NameTable selectedNames_;
  PlacementTable sortedNames_;
  order::KnownUsedNumbers knownUsed_;
  std::vector<std::optional<ListName>> parsed_;  // by position, kept current
  // The first position of each prefix in allNames_, and the stretches built.
  std::unordered_map<std::string, std::int32_t> firstPositions_;
  bool firstPositionsRead_ = false;
  std::unordered_map<std::string, Stretch> stretches_;
  std::vector<std::int32_t> selectedPositions_;  // beside selectedNames_
  RenumberPlan plan_;
  Int16 position_ = 1;
  Int16 numberOffset_ = 0;
  Int16 selectedDone_ = 0;
  std::int32_t current_ = 0;   // position of the component at hand
  std::int32_t previous_ = 0;  // and of the one before it
  std::string currentName_;
};

}  // namespace varnel
