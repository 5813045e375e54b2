#pragma once
// A whole run worked out before its first rename: what it renames, in order,
// what it leaves alone, and where each of its steps ends (the progress bar
// advances once a step).
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/rename.h"

namespace varnel::renumber {

struct PlannedStep {
  std::size_t renamesEnd;  // renames [end of the step before, renamesEnd) are this step's
  std::size_t ignoredEnd;
};

struct ProgressRange {
  float minimum;
  float maximum;
};

// Why the run renames a component, as the preview says it.
enum class RenameReason {
  renamed,            // it gets its number
  movedAside,         // to a temporary number, out of the run's way
  nextFreeName,       // its wanted name is taken: the next free one
  movedForDuplicate,  // it held the name another component wants
  takenBack,          // an undo gives it its name from before
};

// A component the run cannot name and leaves alone: its designator is
// empty or does not begin with a capital letter (A-Z).
struct Unnamable {
  std::int32_t position;
  std::string designator;
  bool operator==(const Unnamable&) const = default;
};

struct RenumberPlan {
  std::vector<model::Rename> renames;
  std::vector<RenameReason> reasons;  // one a rename
  std::vector<std::string> ignored;   // designators ending in a letter, in the order met
  std::vector<Unnamable> unnamable;   // passed over as a lock would pass them, in list order
  std::vector<PlannedStep> steps;
  // Nothing when the run has nothing to do (no component selected): the
  // progress bar keeps its range.
  std::optional<ProgressRange> progress;
  // A selected-components run: the positions it visited, in the order it
  // numbered them (the preview's map draws its line through them).
  std::vector<std::int32_t> numberingOrder;
  // A run by board position: the design's components the placement file
  // does not place, left alone, and the file's designators the design lacks.
  std::vector<std::int32_t> notOnBoard;
  std::vector<std::string> onlyOnBoard;
};

}  // namespace varnel::renumber
