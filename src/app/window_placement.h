#pragma once
// Where the main window opens on the desktop: pure arithmetic on the work
// areas of the monitors there are now, in screen pixels.
#include <optional>
#include <vector>

namespace varnel::app {

struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const ScreenRect&) const = default;
};

struct ScreenPoint {
  int x = 0, y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

// How far from the primary work area's top-right corner the window first
// opens: clear of a maximised program's title bar, menu and tool bar.
struct FirstPlace {
  int fromRight = 0;
  int fromTop = 0;
};

// rect moved the least so that it lies inside area; a window larger than the
// area keeps its top-left corner (and so its title bar) on it.
ScreenRect movedInside(ScreenRect rect, const ScreenRect& area);

// A window of width by height that opens beside owner, on owner's work area:
// left of it, right of it, below or above it, the first side where it fits
// whole without covering the owner; else the side that covers least of it,
// moved inside the work area.
ScreenRect besideOf(const ScreenRect& owner, int width, int height, const ScreenRect& work);

// A window of width by height, at saved when it lies there wholly on one work
// area; moved inside the work area it overlaps most when it lies partly off
// it; when it touches none (its monitor is gone) or nothing was saved, near
// the top-right corner of the primary work area (workAreas' first).
ScreenRect openingRect(std::optional<ScreenPoint> saved, int width, int height,
                       const std::vector<ScreenRect>& workAreas, FirstPlace first);

}  // namespace varnel::app
