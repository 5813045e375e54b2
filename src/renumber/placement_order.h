#pragma once
// Placement order inside one run of equal prefix. Each row lies on a line (a
// column, or a row of the sheet) and at a place along it. A row must come
// before another when its line comes first, or when both lie on the line of
// the same text and its place comes first. By default a line is a column:
// smaller whole X first, then within one X text larger whole Y first. The
// order is the one left by this procedure: for each position in turn, while a
// later row must come before the row there, move that row to the end of the
// run; then the position is settled.
#include <string>
#include <vector>

#include "renumber/placement_settings.h"

namespace varnel::renumber {

// The coordinate as text: up to 15 significant digits; equal doubles give
// equal texts.
std::string coordinateText(double value);

// The number a coordinate text denotes, rounded half to even (100.5 gives
// 100, 101.5 gives 102). No 16-bit limit: sheets are larger than that.
double wholeValue(const std::string& text);

// Smaller values come first.
struct PlacementKey {
  double line;
  std::string lineText;  // rows whose texts are equal share a line
  double along;
};

// With a grid, a coordinate's whole value and text are those of the grid
// cell it rounds to (half to even), so parts within half a grid share a line.
PlacementKey keyOf(const std::string& textX, const std::string& textY,
                   const PlacementSettings& settings = {});

bool mustComeBefore(const PlacementKey& b, const PlacementKey& a);

// The order of the procedure above, as indices into run, in O(n log n): the
// procedure rotates the run until a row that nothing left must precede is in
// front, so the result is found by a cyclic search for such a row.
std::vector<int> placementOrder(const std::vector<PlacementKey>& run);

}  // namespace varnel::renumber
