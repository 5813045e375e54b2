#pragma once
// What the Preview window shows of a planned run: every rename in order with
// why, the designators left alone, a summary line, and for a run over the
// selected components a map of them in the order they are numbered.
#include <cstddef>
#include <string>
#include <vector>

#include "model/board_placement.h"
#include "model/design_snapshot.h"
#include "renumber/numbering_rules.h"
#include "renumber/renumber_plan.h"

namespace varnel::app {

struct PreviewRow {
  // A renumbering's rows have a check box: unchecking one locks its
  // component for this run.
  enum class Check { none, checked, unchecked };
  std::size_t step;  // 1-based; 0 for a designator left alone
  std::string from, to, why;
  Check check = Check::none;
  std::string component = {};  // the designator as read: what the check box locks
};

struct MapPoint {
  double x, y;        // the component's placement
  std::string label;  // its designator after the run
  bool keepsName;     // drawn in grey
  // The board's map draws each prefix in a colour of its own and each side's
  // line apart; a sheet's map has one line in the first colour.
  std::size_t colour = 0;
  bool joinsPrevious = true;
};

struct Preview {
  std::string title;  // "Preview", or "Undo"
  std::vector<PreviewRow> rows;
  std::string summary;
  std::string note;           // under the summary: what Rename needs that is missing
  std::string rules;          // under that: the numbering rules, or what one would save
  std::vector<MapPoint> map;  // empty unless the run numbers selected components
};

// rules: a renumbering's (its rows get check boxes); none for an undo or a recovery.
// board: a run by board position's placement, which the map draws (both
// sides side by side, the bottom as rules say it is seen).
Preview previewOf(const model::DesignSnapshot& design, const renumber::RenumberPlan& plan,
                  const std::string& title, const renumber::NumberingRules* rules = nullptr,
                  const model::BoardPlacement* board = nullptr);

// The rules in words for the Preview ("Rules: names already right kept;
// locked J1-J8 TP*"), or, while names already right are not kept, how many
// renames keeping them would save; empty when neither says anything.
std::string rulesLine(const model::DesignSnapshot& design, const renumber::RenumberPlan& plan,
                      const renumber::NumberingRules& rules);

// The rows as text, tab-separated, a line each: for the clipboard.
std::string previewText(const Preview& preview);

const char* reasonText(renumber::RenameReason reason);

}  // namespace varnel::app
