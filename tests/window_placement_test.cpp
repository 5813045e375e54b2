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
