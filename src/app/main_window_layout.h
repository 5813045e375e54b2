#pragma once
// The main window's controls in pixels at a DPI. The twips table gives the
// places; the font decides the rest: a caption wider than its twips widens
// its control, and where the font's height makes a frame's line or a row
// run into its neighbour, rows give up spare height or move down a few
// pixels, so that no two controls overlap, every control lies inside the
// frame that holds it and no frame is drawn across a control.
#include <map>

#include "app/controls.h"

namespace varnel::app {

struct PixelRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  bool operator==(const PixelRect&) const = default;
};

struct LayoutMetrics {
  int dpi = 96;
  int lineHeight = 0;                    // the font's height
  int checkWidth = 0;                    // the glyph of an option button or check box
  std::map<Control, int> captionWidths;  // each caption's text, without '&'
};

// The caption-less outer frame only holds the others; the table puts its
// edges outside the window, so it is never drawn.
constexpr bool isDrawn(Control id) {
  return id != Control::mainFrame;
}

// Relative to the client area.
std::map<Control, PixelRect> layOutMainWindow(const LayoutMetrics& metrics);

}  // namespace varnel::app
