#include "app/window_placement.h"

#include <algorithm>

namespace varnel::app {

namespace {

long long overlap(const ScreenRect& a, const ScreenRect& b) {
  const long long w = std::min(a.right, b.right) - std::max(a.left, b.left);
  const long long h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
  return w > 0 && h > 0 ? w * h : 0;
}

}  // namespace

ScreenRect movedInside(ScreenRect rect, const ScreenRect& area) {
  const int left = std::max(area.left, std::min(rect.left, area.right - rect.width()));
  const int top = std::max(area.top, std::min(rect.top, area.bottom - rect.height()));
  return {left, top, left + rect.width(), top + rect.height()};
}

ScreenRect openingRect(std::optional<ScreenPoint> saved, int width, int height,
                       const std::vector<ScreenRect>& workAreas, FirstPlace first) {
  if (workAreas.empty()) {
    const ScreenPoint at = saved.value_or(ScreenPoint{});
    return {at.x, at.y, at.x + width, at.y + height};
  }
  if (saved) {
    const ScreenRect there{saved->x, saved->y, saved->x + width, saved->y + height};
    const auto most = std::max_element(workAreas.begin(), workAreas.end(),
                                       [&](const ScreenRect& a, const ScreenRect& b) {
                                         return overlap(there, a) < overlap(there, b);
                                       });
    if (overlap(there, *most) > 0) return movedInside(there, *most);
  }
  const ScreenRect& primary = workAreas.front();
  const int left = primary.right - first.fromRight - width;
  const int top = primary.top + first.fromTop;
  return movedInside({left, top, left + width, top + height}, primary);
}

ScreenRect besideOf(const ScreenRect& owner, int width, int height, const ScreenRect& work) {
  constexpr int kGap = 8;
  const ScreenRect sides[] = {
      {owner.left - kGap - width, owner.top, owner.left - kGap, owner.top + height},
      {owner.right + kGap, owner.top, owner.right + kGap + width, owner.top + height},
      {owner.left, owner.bottom + kGap, owner.left + width, owner.bottom + kGap + height},
      {owner.left, owner.top - kGap - height, owner.left + width, owner.top - kGap}};
  std::optional<ScreenRect> best;
  long long bestCover = 0;
  for (const ScreenRect& side : sides) {
    // Along the side it stays inside the work area; off its end it may not.
    const ScreenRect inside = movedInside(side, work);
    const long long cover = overlap(inside, owner);
    if (cover == 0 && inside == side) return side;
    if (!best || cover < bestCover) best = inside, bestCover = cover;
  }
  return *best;
}

}  // namespace varnel::app
