#include "app/main_window_layout.h"

#include <algorithm>
#include <vector>

namespace varnel::app {

namespace {

int pixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  // Rounded half away from zero, as MulDiv rounds.
  return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

bool isFrame(Control id) {
  return layoutOf(id)->kind == ControlKind::frame;
}

// The least height a control's caption needs; what is not a caption row
// keeps its height.
int leastHeight(Control id, const PixelRect& r, int lineHeight) {
  const ControlKind kind = layoutOf(id)->kind;
  const bool row =
      kind == ControlKind::option || kind == ControlKind::check || kind == ControlKind::label;
  return row ? lineHeight : r.height();
}

bool holds(Control frame, Control id) {
  for (Control up = layoutOf(id)->container; up != Control::none; up = layoutOf(up)->container)
    if (up == frame) return true;
  return false;
}

bool sideBySide(const PixelRect& a, const PixelRect& b) {
  return a.left < b.right && b.left < a.right;
}

class Layout {
 public:
  explicit Layout(const LayoutMetrics& m) : m_(m) {}

  std::map<Control, PixelRect> run() {
    place(Control::none, 0, 0);
    for (const ControlLayout& c : kMainWindowLayout) widen(c.id);
    return rects_;
  }

 private:
  PixelRect tableRect(Control id) const {
    const TwipsRect t = windowRect(id);
    return {pixels(t.left, m_.dpi), pixels(t.top, m_.dpi), pixels(t.left + t.width, m_.dpi),
            pixels(t.top + t.height, m_.dpi)};
  }

  // Below the line of a drawn frame, or below its caption.
  PixelRect innerOf(Control frame) const {
    PixelRect r = rects_.at(frame);
    const bool captioned = layoutOf(frame)->caption[0] != '\0';
    return {r.left + 2, r.top + (captioned ? m_.lineHeight : m_.lineHeight / 2 + 1), r.right - 2,
            r.bottom - 2};
  }

  // The controls container holds, each where the table puts it moved as its
  // container moved (dx, dy), top to bottom; then what each frame holds.
  void place(Control container, int dx, int dy) {
    std::vector<Control> held;
    for (const ControlLayout& c : kMainWindowLayout)
      if (c.container == container) held.push_back(c.id);
    std::stable_sort(held.begin(), held.end(),
                     [&](Control a, Control b) { return tableRect(a).top < tableRect(b).top; });
    const bool framed = container != Control::none && isDrawn(container);
    for (std::size_t i = 0; i < held.size(); ++i) {
      PixelRect r = tableRect(held[i]);
      r = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
      if (framed) r = below(held[i], r, innerOf(container).top);
      for (std::size_t k = 0; k < i; ++k) r = clearOf(held[k], held[i], r);
      rects_[held[i]] = r;
    }
    for (Control id : held) {
      if (!isFrame(id)) continue;
      const PixelRect table = tableRect(id), now = rects_.at(id);
      place(id, now.left - table.left, now.top - table.top);
    }
  }

  // r no higher than top: a row gives up spare height, a frame moves.
  PixelRect below(Control id, PixelRect r, int top) const {
    if (r.top >= top) return r;
    if (!isFrame(id) && r.bottom - top >= leastHeight(id, r, m_.lineHeight)) {
      r.top = top;
      return r;
    }
    const int by = top - r.top;
    return {r.left, r.top + by, r.right, r.bottom + by};
  }

  // Where an earlier neighbour above reaches into r, the neighbour gives up
  // its spare height, or r moves below it.
  PixelRect clearOf(Control earlier, Control id, PixelRect r) {
    PixelRect& above = rects_.at(earlier);
    if (!isDrawn(earlier) || !sideBySide(above, r) || above.bottom <= r.top || above.top > r.top)
      return r;
    if (!isFrame(earlier) && r.top - above.top >= leastHeight(earlier, above, m_.lineHeight)) {
      above.bottom = r.top;
      return r;
    }
    return below(id, r, above.bottom);
  }

  // A caption wider than its control widens it, up to the next control or
  // the frame's line (then it moves left, if need be, as far as a few pixels
  // from the line); "Start from:" grows to the left, towards Run.
  void widen(Control id) {
    const ControlLayout c = *layoutOf(id);
    const auto caption = m_.captionWidths.find(id);
    if (caption == m_.captionWidths.end()) return;
    PixelRect& r = rects_.at(id);
    if (c.kind == ControlKind::label) {
      r.left = std::min(r.left, r.right - caption->second - 2);
      return;
    }
    if (c.kind != ControlKind::option && c.kind != ControlKind::check) return;
    const int needed = caption->second + m_.checkWidth + pixels(90, m_.dpi);
    const int limit = rightLimit(id);
    // Short of room inside a frame, it moves left towards the frame's line.
    if (r.left + needed > limit && c.container != Control::none && isDrawn(c.container)) {
      const int by = std::min(r.left + needed - limit, r.left - (innerOf(c.container).left + 2));
      if (by > 0) r.left -= by;
    }
    r.right = std::max(r.right, std::min(r.left + needed, limit));
  }

  int rightLimit(Control id) const {
    const PixelRect r = rects_.at(id);
    const Control container = layoutOf(id)->container;
    int limit = container != Control::none && isDrawn(container)
                    ? innerOf(container).right
                    : pixels(kClientWidthTwips - 45, m_.dpi);
    for (const auto& [other, o] : rects_) {
      if (other == id || holds(other, id) || o.top >= r.bottom || o.bottom <= r.top) continue;
      if (o.left >= r.left) limit = std::min(limit, o.left - 2);
    }
    return limit;
  }

  const LayoutMetrics& m_;
  std::map<Control, PixelRect> rects_;
};

}  // namespace

std::map<Control, PixelRect> layOutMainWindow(const LayoutMetrics& metrics) {
  return Layout(metrics).run();
}

}  // namespace varnel::app
