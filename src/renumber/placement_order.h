#pragma once
// Placement order inside one run of equal prefix. A row must come before
// another when its whole X is smaller, or when both X texts are equal and its
// whole Y is larger. The order is the one left by this procedure: for each
// position in turn, while a later row must come before the row there, move
// that row to the end of the run; then the position is settled.
#include <string>
#include <vector>

namespace varnel::order {

// The coordinate as text: up to 15 significant digits; equal doubles give
// equal texts.
std::string coordinateText(double value);

// The number a coordinate text denotes, rounded half to even (100.5 gives
// 100, 101.5 gives 102). No 16-bit limit: sheets are larger than that.
double wholeValue(const std::string& text);

struct PlacementKey {
  double wholeX;
  std::string textX;
  double wholeY;
};

PlacementKey keyOf(const std::string& textX, const std::string& textY);

bool mustComeBefore(const PlacementKey& b, const PlacementKey& a);

// The order of the procedure above, as indices into run, in O(n log n): the
// procedure rotates the run until a row that nothing left must precede is in
// front, so the result is found by a cyclic search for such a row.
std::vector<int> placementOrder(const std::vector<PlacementKey>& run);

}  // namespace varnel::order
