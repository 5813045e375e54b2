#pragma once
// Where the map's labels go: beside their points, inside the picture, and
// never one over another, so that a crowded board shows fewer labels rather
// than a heap of unreadable ones.
#include <optional>
#include <vector>

#include "app/map_image.h"
#include "app/preview.h"

namespace varnel::app {

struct LabelBox {
  int left, top, right, bottom;  // pixels; right and bottom lie just outside
};

struct LabelSize {
  int width, height;
};

struct LabelSpacing {
  int gap;      // between a point and its label
  int edge;     // between a label and the picture's edge or another label
  int dotHalf;  // half a dot's width: a label clear of a dot keeps this far off its centre
};

// Each point's label box in a picture of width by height pixels, or none
// where every corner beside the point would cover a label placed before.
// The corner labelCorner prefers comes first, then the others; a corner
// clear of every other dot is taken before one that covers a dot. The run's
// renamed points are labelled first, in numbering order, then those that
// keep their names.
std::vector<std::optional<LabelBox>> placeLabels(const std::vector<MapPoint>& map,
                                                 const std::vector<MapPixel>& pixels,
                                                 const std::vector<LabelSize>& sizes, int width,
                                                 int height, const LabelSpacing& spacing);

}  // namespace varnel::app
