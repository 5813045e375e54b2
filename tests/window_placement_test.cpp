// Where the main window opens, over one and two monitors.
#include <gtest/gtest.h>

#include "app/window_placement.h"

namespace varnel::app {
namespace {

const ScreenRect kPrimary{0, 0, 1920, 1040};      // taskbar below
const ScreenRect kLeftOfIt{-1280, 100, 0, 1124};  // a second monitor, left
const FirstPlace kFirst{24, 96};

TEST(OpeningRect, TheFirstTimeNearThePrimaryTopRightCornerBelowItsMenus) {
  EXPECT_EQ(openingRect(std::nullopt, 400, 200, {kPrimary, kLeftOfIt}, kFirst),
            (ScreenRect{1496, 96, 1896, 296}));
  // A work area that does not begin at 0 (taskbar at the top, or on the right).
  EXPECT_EQ(openingRect(std::nullopt, 400, 200, {{0, 40, 1800, 1080}}, kFirst),
            (ScreenRect{1376, 136, 1776, 336}));
}

TEST(OpeningRect, WhereItWasClosedWhenThatIsWhollyOnAMonitor) {
  EXPECT_EQ(openingRect(ScreenPoint{300, 500}, 400, 200, {kPrimary, kLeftOfIt}, kFirst),
            (ScreenRect{300, 500, 700, 700}));
  EXPECT_EQ(openingRect(ScreenPoint{-900, 300}, 400, 200, {kPrimary, kLeftOfIt}, kFirst),
            (ScreenRect{-900, 300, -500, 500}))
      << "on the second monitor";
}

TEST(OpeningRect, PartlyOffAMonitorItMovesOntoTheOneItOverlapsMost) {
  EXPECT_EQ(openingRect(ScreenPoint{1700, 950}, 400, 200, {kPrimary, kLeftOfIt}, kFirst),
            (ScreenRect{1520, 840, 1920, 1040}));
  EXPECT_EQ(openingRect(ScreenPoint{-300, 50}, 400, 200, {kPrimary, kLeftOfIt}, kFirst),
            (ScreenRect{-400, 100, 0, 300}))
      << "more of it on the left monitor, whose work area begins lower";
  EXPECT_EQ(openingRect(ScreenPoint{-100, -150}, 400, 200, {kPrimary}, kFirst),
            (ScreenRect{0, 0, 400, 200}))
      << "its title bar above the screen";
}

TEST(OpeningRect, OnAMonitorThatIsGoneItOpensAsTheFirstTime) {
  const ScreenRect first = openingRect(std::nullopt, 400, 200, {kPrimary}, kFirst);
  EXPECT_EQ(openingRect(ScreenPoint{-900, 300}, 400, 200, {kPrimary}, kFirst), first);
  EXPECT_EQ(openingRect(ScreenPoint{5000, 5000}, 400, 200, {kPrimary}, kFirst), first);
}

TEST(OpeningRect, AWindowLargerThanTheWorkAreaKeepsItsTitleBarOnIt) {
  EXPECT_EQ(openingRect(std::nullopt, 800, 700, {{0, 0, 640, 480}}, kFirst),
            (ScreenRect{0, 0, 800, 700}));
}

}  // namespace
}  // namespace varnel::app

namespace varnel::app {
namespace {

// The Preview opens beside the main window, never over it, on its monitor.
TEST(BesideOf, TheFirstSideWhereTheWindowFitsWholeWithoutCoveringTheOwner) {
  const ScreenRect work{0, 0, 1280, 760};
  struct Case {
    ScreenRect owner;
    ScreenRect wanted;
  };
  for (const auto& [owner, wanted] :
       std::vector<Case>{// Near the top-right corner, as Varnel first opens: to its left.
                         {{900, 40, 1260, 200}, {192, 40, 892, 440}},
                         // Near the left edge: to its right.
                         {{10, 40, 370, 200}, {378, 40, 1078, 440}},
                         // Too wide a main window for either side: below it.
                         {{100, 40, 1200, 200}, {100, 208, 800, 608}},
                         // At the bottom of a full screen: above it.
                         {{100, 500, 1200, 700}, {100, 92, 800, 492}}})
    EXPECT_EQ(besideOf(owner, 700, 400, work), wanted) << owner.left << "," << owner.top;
  // Nowhere free: the side covering least, inside the work area.
  const ScreenRect big = besideOf({0, 0, 1280, 700}, 700, 400, work);
  EXPECT_EQ(big, (ScreenRect{0, 360, 700, 760}));
}

}  // namespace
}  // namespace varnel::app
