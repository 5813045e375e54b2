#include "app/map_labels.h"

#include <algorithm>
#include <cstdint>

namespace varnel::app {

namespace {

// How many dots have their centres in a rectangle of the picture, counted
// in constant time from the sums of the rectangles at its top left.
class DotCounts {
 public:
  DotCounts(const std::vector<MapPixel>& pixels, int width, int height)
      : width_(std::max(width, 0)),
        height_(std::max(height, 0)),
        sums_(static_cast<std::size_t>(width_ + 1) * (height_ + 1), 0) {
    for (const MapPixel& p : pixels)
      if (p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_) ++at(p.x + 1, p.y + 1);
    for (int y = 1; y <= height_; ++y)
      for (int x = 1; x <= width_; ++x) at(x, y) += at(x - 1, y) + at(x, y - 1) - at(x - 1, y - 1);
  }

  std::int32_t within(const LabelBox& box) const {
    const int left = std::clamp(box.left, 0, width_), right = std::clamp(box.right, 0, width_);
    const int top = std::clamp(box.top, 0, height_), bottom = std::clamp(box.bottom, 0, height_);
    if (left >= right || top >= bottom) return 0;
    return at(right, bottom) - at(left, bottom) - at(right, top) + at(left, top);
  }

 private:
  std::int32_t& at(int x, int y) { return sums_[static_cast<std::size_t>(y) * (width_ + 1) + x]; }
  std::int32_t at(int x, int y) const {
    return sums_[static_cast<std::size_t>(y) * (width_ + 1) + x];
  }

  int width_, height_;
  std::vector<std::int32_t> sums_;
};

bool overlap(const LabelBox& a, const LabelBox& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// The labels placed so far, filed under each cell of a coarse grid that
// they touch: a label no larger than a cell touches at most four.
class PlacedLabels {
 public:
  PlacedLabels(LabelSize cell, int width, int height)
      : cell_{std::max(cell.width, 1), std::max(cell.height, 1)},
        columns_(std::max(width, 0) / cell_.width + 1),
        rows_(std::max(height, 0) / cell_.height + 1),
        cells_(static_cast<std::size_t>(columns_) * rows_) {}

  bool overlaps(const LabelBox& box) const {
    bool found = false;
    forCells(box, [&](std::size_t cell) {
      for (const LabelBox& placed : cells_[cell]) found = found || overlap(placed, box);
    });
    return found;
  }
  void add(const LabelBox& box) {
    forCells(box, [&](std::size_t cell) { cells_[cell].push_back(box); });
  }

 private:
  template <typename Visit>
  void forCells(const LabelBox& box, Visit visit) const {
    const int first = std::clamp(box.left / cell_.width, 0, columns_ - 1);
    const int last = std::clamp((box.right - 1) / cell_.width, 0, columns_ - 1);
    const int top = std::clamp(box.top / cell_.height, 0, rows_ - 1);
    const int bottom = std::clamp((box.bottom - 1) / cell_.height, 0, rows_ - 1);
    for (int row = top; row <= bottom; ++row)
      for (int column = first; column <= last; ++column)
        visit(static_cast<std::size_t>(row) * columns_ + column);
  }

  LabelSize cell_;
  int columns_, rows_;
  std::vector<std::vector<LabelBox>> cells_;
};

// The box of a label at corner beside the point p, clear of its dot, and
// wholly inside the picture: a long name near an edge is moved in rather
// than cut.
LabelBox boxAt(MapPixel p, LabelCorner corner, LabelSize size, int width, int height,
               const LabelSpacing& spacing) {
  const bool left = corner == LabelCorner::aboveLeft || corner == LabelCorner::belowLeft;
  const bool above = corner == LabelCorner::aboveLeft || corner == LabelCorner::aboveRight;
  const int edge = spacing.edge;
  int x = left ? p.x - spacing.gap - size.width : p.x + spacing.gap;
  int y = above ? p.y - spacing.gap / 2 - size.height : p.y + spacing.gap / 2;
  x = std::clamp(x, edge, std::max(edge, width - edge - size.width));
  y = std::clamp(y, edge, std::max(edge, height - edge - size.height));
  return {x, y, x + size.width, y + size.height};
}

// The preferred corner first, then the others in a fixed order.
std::vector<LabelCorner> cornersFrom(LabelCorner preferred) {
  std::vector<LabelCorner> corners{preferred};
  for (LabelCorner c : {LabelCorner::aboveRight, LabelCorner::aboveLeft, LabelCorner::belowRight,
                        LabelCorner::belowLeft})
    if (c != preferred) corners.push_back(c);
  return corners;
}

// Places labels one at a time, each clear of those placed before it.
class LabelPlacer {
 public:
  LabelPlacer(const std::vector<MapPixel>& pixels, const std::vector<LabelSize>& sizes, int width,
              int height, const LabelSpacing& spacing, LabelSize largest)
      : pixels_(pixels),
        sizes_(sizes),
        width_(width),
        height_(height),
        spacing_(spacing),
        dots_(pixels, width, height),
        placed_(largest, width, height) {}

  std::optional<LabelBox> place(std::size_t k) {
    std::optional<LabelBox> chosen;
    for (LabelCorner corner : cornersFrom(labelCorner(pixels_, k))) {
      const LabelBox box = boxAt(pixels_[k], corner, sizes_[k], width_, height_, spacing_);
      // Labels that touch read as one word: each keeps the edge's space apart.
      const int e = spacing_.edge;
      if (placed_.overlaps({box.left - e, box.top - e, box.right + e, box.bottom + e})) continue;
      const bool clear = !coversOtherDots(box, k);
      if (clear || !chosen) chosen = box;
      if (clear) break;
    }
    if (chosen) placed_.add(*chosen);
    return chosen;
  }

 private:
  // Whether a dot other than point k's own lies under box or close enough
  // for its square to reach into it.
  bool coversOtherDots(const LabelBox& box, std::size_t k) const {
    const int d = spacing_.dotHalf;
    const LabelBox near{box.left - d, box.top - d, box.right + d, box.bottom + d};
    const MapPixel own = pixels_[k];
    const bool ownCounted = own.x >= std::max(near.left, 0) && own.y >= std::max(near.top, 0) &&
                            own.x < std::min(near.right, width_) &&
                            own.y < std::min(near.bottom, height_);
    return dots_.within(near) > (ownCounted ? 1 : 0);
  }

  const std::vector<MapPixel>& pixels_;
  const std::vector<LabelSize>& sizes_;
  int width_, height_;
  const LabelSpacing& spacing_;
  DotCounts dots_;
  PlacedLabels placed_;
};

}  // namespace

std::vector<std::optional<LabelBox>> placeLabels(const std::vector<MapPoint>& map,
                                                 const std::vector<MapPixel>& pixels,
                                                 const std::vector<LabelSize>& sizes, int width,
                                                 int height, const LabelSpacing& spacing) {
  LabelSize largest{0, 0};
  for (const LabelSize& size : sizes)
    largest = {std::max(largest.width, size.width), std::max(largest.height, size.height)};
  LabelPlacer placer(pixels, sizes, width, height, spacing, largest);
  std::vector<std::optional<LabelBox>> boxes(map.size());
  for (const bool keepsName : {false, true})
    for (std::size_t k = 0; k < map.size(); ++k)
      if (map[k].keepsName == keepsName) boxes[k] = placer.place(k);
  return boxes;
}

}  // namespace varnel::app
