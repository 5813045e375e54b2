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

}  // namespace varnel::app
