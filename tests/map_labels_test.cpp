// The map's labels over generated maps: inside the picture, none over
// another, a point unlabelled only where every corner beside it is taken,
// and the corner away from the line kept where the map leaves room.
#include "app/map_labels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace varnel::app {
namespace {

constexpr LabelSpacing kSpacing{4, 2, 3};
constexpr LabelCorner kCorners[] = {LabelCorner::aboveRight, LabelCorner::aboveLeft,
                                    LabelCorner::belowRight, LabelCorner::belowLeft};

// A label's box at a corner, written out plainly: beside the point, pushed
// inside the picture where it would reach over an edge.
LabelBox plainBox(MapPixel p, LabelCorner corner, LabelSize size, int width, int height) {
  const bool left = corner == LabelCorner::aboveLeft || corner == LabelCorner::belowLeft;
  const bool above = corner == LabelCorner::aboveLeft || corner == LabelCorner::aboveRight;
  int x = left ? p.x - 4 - size.width : p.x + 4;
  int y = above ? p.y - 2 - size.height : p.y + 2;
  x = std::max(2, std::min(x, width - 2 - size.width));
  y = std::max(2, std::min(y, height - 2 - size.height));
  return {x, y, x + size.width, y + size.height};
}

// Closer than the two pixels labels keep apart.
bool overlap(const LabelBox& a, const LabelBox& b) {
  return a.left - 2 < b.right && b.left - 2 < a.right && a.top - 2 < b.bottom &&
         b.top - 2 < a.bottom;
}

bool sameBox(const LabelBox& a, const LabelBox& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(MapLabels, NeverOverlapStayInsideAndLeaveAPointBareOnlyWhereEveryCornerIsTaken) {
  std::mt19937 random(20261210);
  for (int round = 0; round < 300; ++round) {
    const int width = 120 + static_cast<int>(random() % 300), height = 80 + random() % 200;
    const std::size_t count = 1 + random() % 90;
    std::vector<MapPoint> map;
    std::vector<MapPixel> pixels;
    std::vector<LabelSize> sizes;
    for (std::size_t k = 0; k < count; ++k) {
      map.push_back({0, 0, "R" + std::to_string(k), random() % 4 == 0});
      pixels.push_back({static_cast<int>(random() % width), static_cast<int>(random() % height)});
      sizes.push_back({10 + static_cast<int>(random() % 30), 8 + static_cast<int>(random() % 8)});
    }
    const auto boxes = placeLabels(map, pixels, sizes, width, height, kSpacing);
    ASSERT_EQ(boxes.size(), count);
    std::vector<LabelBox> placed;
    for (std::size_t k = 0; k < count; ++k) {
      SCOPED_TRACE("round " + std::to_string(round) + ", point " + std::to_string(k));
      if (!boxes[k]) continue;
      const LabelBox& box = *boxes[k];
      EXPECT_TRUE(std::any_of(std::begin(kCorners), std::end(kCorners), [&](LabelCorner c) {
        return sameBox(box, plainBox(pixels[k], c, sizes[k], width, height));
      })) << "beside its point";
      EXPECT_TRUE(box.left >= 2 && box.top >= 2 && box.right <= width - 2 &&
                  box.bottom <= height - 2);
      for (const LabelBox& other : placed) EXPECT_FALSE(overlap(box, other));
      placed.push_back(box);
    }
    for (std::size_t k = 0; k < count; ++k) {
      if (boxes[k]) continue;
      SCOPED_TRACE("round " + std::to_string(round) + ", bare point " + std::to_string(k));
      for (LabelCorner c : kCorners) {
        const LabelBox box = plainBox(pixels[k], c, sizes[k], width, height);
        EXPECT_TRUE(std::any_of(placed.begin(), placed.end(),
                                [&](const LabelBox& other) { return overlap(box, other); }));
      }
    }
  }
}

TEST(MapLabels, TakeTheCornerAwayFromTheLineUnlessItCoversADotAndRenamedPointsComeFirst) {
  const LabelSize size{30, 12};
  // A and its neighbours down to the left: A's label goes above right.
  std::vector<MapPoint> map{{0, 0, "C", false}, {0, 0, "A", false}, {0, 0, "D", false}};
  std::vector<MapPixel> pixels{{60, 140}, {100, 100}, {60, 150}};
  std::vector<LabelSize> sizes(3, size);
  auto boxes = placeLabels(map, pixels, sizes, 300, 200, kSpacing);
  ASSERT_TRUE(boxes[1]);
  EXPECT_TRUE(sameBox(*boxes[1], plainBox({100, 100}, LabelCorner::aboveRight, size, 300, 200)));
  // A dot where that label would lie sends it above left.
  map.push_back({0, 0, "B", true});
  pixels.push_back({115, 90});
  sizes.push_back(size);
  boxes = placeLabels(map, pixels, sizes, 300, 200, kSpacing);
  ASSERT_TRUE(boxes[1]);
  EXPECT_TRUE(sameBox(*boxes[1], plainBox({100, 100}, LabelCorner::aboveLeft, size, 300, 200)));
  // Two points at one place in a picture with room for one label: the one
  // the run renames has it, though it comes second.
  const std::vector<MapPoint> pair{{0, 0, "R7", true}, {0, 0, "R1", false}};
  const auto one = placeLabels(pair, {{20, 10}, {20, 10}}, {{36, 12}, {36, 12}}, 40, 20, kSpacing);
  EXPECT_FALSE(one[0]);
  EXPECT_TRUE(one[1]);
}

}  // namespace
}  // namespace varnel::app
