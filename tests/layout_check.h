#pragma once
// What a user would see wrong in the main window's layout: a control out of
// the client area or out of its frame, two controls on top of each other, a
// frame drawn across a control it does not hold, a caption that does not fit.
#include <string>
#include <vector>

#include "app/main_window_layout.h"

namespace varnel::tests {

struct PlacedControl {
  app::ControlLayout layout;
  app::PixelRect rect;
  bool drawn = true;
  int textWidth = 0;   // the caption's extent in the control's font, without '&'
  int lineHeight = 0;  // the font's height
};

inline std::string nameOf(const app::ControlLayout& layout) {
  return layout.caption[0] ? layout.caption : "control " + std::to_string(int(layout.id));
}

inline bool overlap(const app::PixelRect& a, const app::PixelRect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

inline bool inside(const app::PixelRect& inner, const app::PixelRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

// Where a frame leaves room for what it holds: within its etched line, and
// below the line or its caption at the top.
inline app::PixelRect roomIn(const PlacedControl& frame) {
  app::PixelRect r = frame.rect;
  r.left += 2;
  r.right -= 2;
  r.bottom -= 2;
  r.top += frame.layout.caption[0] ? frame.lineHeight : frame.lineHeight / 2 + 1;
  return r;
}

inline bool holds(app::Control frame, app::Control id) {
  for (app::Control up = app::layoutOf(id)->container; up != app::Control::none;
       up = app::layoutOf(up)->container)
    if (up == frame) return true;
  return false;
}

// The width a caption takes in its control at dpi: the glyph of an option
// button or check box (13 pixels at 96 dpi) and a gap, or a button's edges.
inline int widthNeeded(const PlacedControl& p, int dpi) {
  switch (p.layout.kind) {
    case app::ControlKind::option:
    case app::ControlKind::check:
      return p.textWidth + (13 + 4) * dpi / 96;
    case app::ControlKind::button:
      return p.textWidth + 8 * dpi / 96;
    case app::ControlKind::frame:
      return p.layout.caption[0] ? p.textWidth + 16 * dpi / 96 : 0;
    default:
      return p.textWidth;
  }
}

inline const PlacedControl& find(const std::vector<PlacedControl>& all, app::Control id) {
  for (const PlacedControl& p : all)
    if (p.layout.id == id) return p;
  return all.front();
}

inline void checkNeighbours(const std::vector<PlacedControl>& all, const PlacedControl& p,
                            std::vector<std::string>& problems) {
  const bool frame = p.layout.kind == app::ControlKind::frame;
  for (const PlacedControl& q : all) {
    if (&q == &p || !q.drawn || !overlap(p.rect, q.rect)) continue;
    const bool qFrame = q.layout.kind == app::ControlKind::frame;
    if (!frame && !qFrame && &q < &p)
      problems.push_back(nameOf(p.layout) + " overlaps " + nameOf(q.layout));
    if (frame && !holds(p.layout.id, q.layout.id) && !holds(q.layout.id, p.layout.id))
      problems.push_back(nameOf(p.layout) + " is drawn across " + nameOf(q.layout));
  }
}

inline std::vector<std::string> layoutProblems(const std::vector<PlacedControl>& all,
                                               const app::PixelRect& client, int dpi) {
  std::vector<std::string> problems;
  for (const PlacedControl& p : all) {
    if (!p.drawn) continue;
    const std::string name = nameOf(p.layout);
    const bool frame = p.layout.kind == app::ControlKind::frame;
    if (!frame && !inside(p.rect, client)) problems.push_back(name + " leaves the client area");
    const app::Control container = p.layout.container;
    if (container != app::Control::none && find(all, container).drawn &&
        !inside(p.rect, roomIn(find(all, container))))
      problems.push_back(name + " is not inside its frame");
    if (widthNeeded(p, dpi) > p.rect.width())
      problems.push_back(name +
                         " is too narrow for its caption: " + std::to_string(widthNeeded(p, dpi)) +
                         " > " + std::to_string(p.rect.width()));
    if (p.layout.caption[0] && !frame && p.lineHeight > p.rect.height())
      problems.push_back(name + " is too low for its caption");
    checkNeighbours(all, p, problems);
  }
  return problems;
}

}  // namespace varnel::tests
