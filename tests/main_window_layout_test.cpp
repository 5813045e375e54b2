// The main window's pixel layout with the fonts Windows uses, which Wine
// does not have: about Segoe UI 9 pt, at 96 to 192 dpi.
#include <gtest/gtest.h>

#include <cstring>

#include "layout_check.h"

namespace varnel {
namespace {

// Captions about as wide as Segoe UI 9 pt draws them at 96 dpi, scaled.
tests::PlacedControl placed(const app::ControlLayout& layout, const app::PixelRect& rect, int dpi,
                            double fontScale) {
  const std::size_t letters =
      std::strlen(layout.caption) - (std::strchr(layout.caption, '&') ? 1 : 0);
  const int width = static_cast<int>(letters * 5.6 * fontScale * dpi / 96);
  return {layout, rect, app::isDrawn(layout.id), width,
          static_cast<int>(16 * fontScale * dpi / 96)};
}

TEST(MainWindowLayout, FitsTheFontAtEveryDpi) {
  for (const double fontScale : {1.0}) {
    for (const int dpi : {96, 120, 144, 192}) {
      SCOPED_TRACE(std::to_string(dpi) + " dpi, font x" + std::to_string(fontScale));
      app::LayoutMetrics metrics{
          dpi, static_cast<int>(16 * fontScale * dpi / 96), 13 * dpi / 96, {}};
      std::vector<tests::PlacedControl> all;
      for (const app::ControlLayout& layout : app::kMainWindowLayout)
        all.push_back(placed(layout, {}, dpi, fontScale));
      for (const auto& p : all) metrics.captionWidths[p.layout.id] = p.textWidth + 2;
      const auto rects = app::layOutMainWindow(metrics);
      for (auto& p : all) p.rect = rects.at(p.layout.id);
      const app::PixelRect client{0, 0, 5700 * dpi / 1440, 2325 * dpi / 1440};
      for (const std::string& problem : tests::layoutProblems(all, client, dpi))
        ADD_FAILURE() << problem;
    }
  }
}

TEST(MainWindowLayout, KeepsTheTableWhereTheFontLeavesRoom) {
  // A small font needs no pixel moved but where the table itself overlaps.
  app::LayoutMetrics metrics{96, 8, 13, {}};
  const auto rects = app::layOutMainWindow(metrics);
  EXPECT_EQ(rects.at(app::Control::run), (app::PixelRect{4, 104, 93, 141}));
  EXPECT_EQ(rects.at(app::Control::writeEco), (app::PixelRect{198, 11, 365, 32}));
  EXPECT_EQ(rects.at(app::Control::writeOnly).bottom, rects.at(app::Control::forceReadInPcb).top);
}

}  // namespace
}  // namespace varnel
