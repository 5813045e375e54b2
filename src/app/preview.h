#pragma once
// What the Preview window shows of a planned run: every rename in order with
// why, the designators left alone, a summary line, and for a run over the
// selected components a map of them in the order they are numbered.
#include <cstddef>
#include <string>
#include <vector>

#include "model/design_snapshot.h"
#include "renumber/renumber_plan.h"

namespace varnel::app {

struct PreviewRow {
  std::size_t step;  // 1-based; 0 for a designator left alone
  std::string from, to, why;
};

struct MapPoint {
  double x, y;        // the component's placement
  std::string label;  // its designator after the run
  bool keepsName;     // drawn in grey
};

struct Preview {
  std::string title;  // "Preview", or "Undo"
  std::vector<PreviewRow> rows;
  std::string summary;
  std::string note;           // under the summary: what Rename needs that is missing
  std::vector<MapPoint> map;  // empty unless the run numbers selected components
};

Preview previewOf(const DesignSnapshot& design, const RenumberPlan& plan, const std::string& title);

// The rows as text, tab-separated, a line each: for the clipboard.
std::string previewText(const Preview& preview);

const char* reasonText(RenameReason reason);

}  // namespace varnel::app
