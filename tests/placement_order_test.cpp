#include "renumber/placement_order.h"

#include <gtest/gtest.h>

#include <limits>

#include <random>

#include "fixtures.h"
#include "plain_placement_order.h"
#include "renumber/plan_renumbering.h"
#include "renumber/planning.h"

namespace varnel {
namespace {

using renumber::coordinateText;
using renumber::keyOf;
using tests::design;
using tests::Engine;
using tests::words;

// Orders "NAME@X,Y ..." (one run) and gives the names in the resulting order;
// checks it against the sheet turned for the default order, done literally.
std::string ordered(const std::string& rows, const renumber::PlacementSettings& settings = {}) {
  std::vector<renumber::PlacementKey> keys, turned;
  std::vector<std::string> names;
  for (const auto& row : words(rows)) {
    const auto at = row.find('@'), comma = row.find(',');
    names.push_back(row.substr(0, at));
    const double x = std::stod(row.substr(at + 1, comma - at - 1));
    const double y = std::stod(row.substr(comma + 1));
    keys.push_back(keyOf(coordinateText(x), coordinateText(y), settings));
    turned.push_back(tests::plainPlacementKey(x, y, settings));
  }
  std::string out;
  for (int i : renumber::placementOrder(keys)) out += (out.empty() ? "" : " ") + names[i];
  EXPECT_EQ(renumber::placementOrder(keys), tests::plainPlacementOrder(turned)) << rows;
  return out;
}

renumber::PlacementSettings orderOf(renumber::Lines lines, renumber::Across across,
                                    renumber::Down down, double grid = 0) {
  return {lines, across, down, grid};
}

TEST(PlacementOrder, SmallerXFirstThenLargerYForEqualX) {
  EXPECT_EQ(ordered("R1@1000,200 R2@1000,800 R3@500,100 R4@1000,500"), "R3 R2 R4 R1");
  EXPECT_EQ(ordered("A@5,900 B@5,1000"), "B A");
  EXPECT_EQ(ordered("A@5,-50 B@5,20"), "B A");
}

TEST(PlacementOrder, EqualWholeXWithDifferentTextsAreNotSeparated) {
  EXPECT_EQ(ordered("A@100.2,0 C@50,0 B@100.4,0"), "C B A");
  EXPECT_EQ(ordered("A@100.2,0 B@100.4,0 C@50,0"), "C A B");
}

TEST(PlacementOrder, WholeValuesRoundHalfToEvenWithoutA16BitLimit) {
  EXPECT_EQ(renumber::wholeValue("100.5"), 100);
  EXPECT_EQ(renumber::wholeValue("101.5"), 102);
  EXPECT_EQ(renumber::wholeValue("-2.5"), -2);
  EXPECT_EQ(ordered("A@101.5,0 B@101,0"), "B A");
  EXPECT_EQ(ordered("A@40000,0 B@35000,0 C@-40000,0"), "C B A");
  EXPECT_EQ(coordinateText(0.1), "0.1");
  EXPECT_EQ(coordinateText(1234.5), "1234.5");
}

TEST(PlacementOrder, MatchesThePlainProcedureOnRandomRuns) {
  std::mt19937 random(20261207);
  for (int trial = 0; trial < 3000; ++trial) {
    const int size = 1 + static_cast<int>(random() % 24);
    std::vector<renumber::PlacementKey> keys;
    for (int i = 0; i < size; ++i) {
      // Few distinct values, so equal texts, equal whole values and ties abound.
      const double x = static_cast<int>(random() % 5) * 10 + (random() % 3) * 0.25;
      const double y = static_cast<int>(random() % 4) * 10 + (random() % 2) * 0.5;
      keys.push_back(keyOf(coordinateText(x), coordinateText(y)));
    }
    ASSERT_EQ(renumber::placementOrder(keys), tests::plainPlacementOrder(keys)) << trial;
  }
}

// A 2 by 2 block: A top left, B top right, C bottom left, D bottom right.
TEST(PlacementOrder, EachOfTheEightOrdersStartsInItsCornerAndGoesItsWay) {
  const std::string block = "D@10,0 C@0,0 B@10,10 A@0,10";
  const std::pair<renumber::PlacementSettings, const char*> cases[] = {
      {orderOf(renumber::Lines::columnsFirst, renumber::Across::leftToRight,
               renumber::Down::topToBottom),
       "A C B D"},
      {orderOf(renumber::Lines::columnsFirst, renumber::Across::leftToRight,
               renumber::Down::bottomToTop),
       "C A D B"},
      {orderOf(renumber::Lines::columnsFirst, renumber::Across::rightToLeft,
               renumber::Down::topToBottom),
       "B D A C"},
      {orderOf(renumber::Lines::columnsFirst, renumber::Across::rightToLeft,
               renumber::Down::bottomToTop),
       "D B C A"},
      {orderOf(renumber::Lines::rowsFirst, renumber::Across::leftToRight,
               renumber::Down::topToBottom),
       "A B C D"},
      {orderOf(renumber::Lines::rowsFirst, renumber::Across::rightToLeft,
               renumber::Down::topToBottom),
       "B A D C"},
      {orderOf(renumber::Lines::rowsFirst, renumber::Across::leftToRight,
               renumber::Down::bottomToTop),
       "C D A B"},
      {orderOf(renumber::Lines::rowsFirst, renumber::Across::rightToLeft,
               renumber::Down::bottomToTop),
       "D C B A"}};
  for (const auto& [settings, expected] : cases) EXPECT_EQ(ordered(block, settings), expected);
}

TEST(PlacementOrder, AGridPutsPartsWithinHalfOfItOnOneLine) {
  // A few mils apart: one column with a grid of 10, three without.
  EXPECT_EQ(ordered("A@101,10 B@99,50 C@106,90"), "B A C");
  EXPECT_EQ(ordered("A@101,10 B@99,50 C@104,90",
                    orderOf(renumber::Lines::columnsFirst, renumber::Across::leftToRight,
                            renumber::Down::topToBottom, 10)),
            "C B A");
  // Rows first: 2 mils apart in Y is one row; left to right within it.
  EXPECT_EQ(ordered("B@50,99 A@10,101 C@30,0",
                    orderOf(renumber::Lines::rowsFirst, renumber::Across::leftToRight,
                            renumber::Down::topToBottom, 10)),
            "A B C");
  // Around 0: -0.3 and 0.2 lie in the one cell 0.
  EXPECT_EQ(ordered("A@-0.3,0 B@0.2,5",
                    orderOf(renumber::Lines::columnsFirst, renumber::Across::leftToRight,
                            renumber::Down::topToBottom, 1)),
            "B A");
}

// Every order and grid against the sheet turned for the default order and
// ordered literally, over placements full of ties, equal coordinates,
// negative ones, fractions and grids from tiny to larger than the sheet.
TEST(PlacementOrder, EveryOrderAndGridMatchesTheTurnedSheetOrderedLiterally) {
  std::mt19937 random(20261209);
  const double grids[] = {0, 0.001, 0.5, 1, 7.5, 25, 1000000};
  for (int trial = 0; trial < 4000; ++trial) {
    const renumber::PlacementSettings settings{renumber::Lines(trial % 2),
                                               renumber::Across(trial / 2 % 2),
                                               renumber::Down(trial / 4 % 2), grids[random() % 7]};
    const int size = 1 + static_cast<int>(random() % 20);
    std::vector<renumber::PlacementKey> keys, turned;
    for (int i = 0; i < size; ++i) {
      const double x = (static_cast<int>(random() % 9) - 4) * 12.5 + (random() % 3) * 0.1;
      const double y = (static_cast<int>(random() % 7) - 3) * 10 + (random() % 2) * 0.5;
      keys.push_back(keyOf(coordinateText(x), coordinateText(y), settings));
      turned.push_back(tests::plainPlacementKey(x, y, settings));
    }
    ASSERT_EQ(renumber::placementOrder(keys), tests::plainPlacementOrder(turned))
        << "trial " << trial << " grid " << settings.grid;
  }
}

renumber::RunSettings selectedRun() {
  renumber::RunSettings settings;
  settings.scope = renumber::RunScope::selectedComponents;
  return settings;
}

TEST(SortSelection, OrdersEachPrefixRunSeparatelyInListOrder) {
  renumber::Planning p(design("R1@50,0* R2@10,0* C1@0,0* R3@0,0*"), selectedRun());
  p.sortSelection();
  EXPECT_EQ(p.sortedNames()[0].name, "R2");
  EXPECT_EQ(p.sortedNames()[1].name, "R1");
  EXPECT_EQ(p.sortedNames()[2].name, "C1");
  EXPECT_EQ(p.sortedNames()[3].name, "R3");
  EXPECT_EQ(p.sortedNames()[1].x, "50");
}

TEST(SortSelection, HandlesAnyNumberOfPrefixRuns) {
  std::string parts;
  for (int i = 0; i < 12; ++i) {
    const std::string prefix = i % 2 ? "C" : "R";
    parts += prefix + std::to_string(2 * i + 2) + "@" + std::to_string(100 - i) + ",0* ";
    parts += prefix + std::to_string(2 * i + 1) + "@" + std::to_string(i) + ",0* ";
  }
  renumber::Planning p(design(parts), selectedRun());
  p.sortSelection();
  for (int i = 0; i < 12; ++i) {
    const std::string prefix = i % 2 ? "C" : "R";
    EXPECT_EQ(p.sortedNames()[2 * i].name, prefix + std::to_string(2 * i + 1)) << i;
  }
}

TEST(SortSelection, LeavesRowsPastTheSelectionEmpty) {
  renumber::Planning p(design("R1@0,0* R2@10,0* R3@20,0"), selectedRun());
  p.sortSelection();
  EXPECT_EQ(p.sortedNames()[2].name, "");
}

TEST(SortSelection, ReadsThePlacementOfSelectedComponentsOnlyOnce) {
  Engine e(design("R1@0,0* R2@10,0 R3@20,0*"));
  e.host->resetCounts();
  ASSERT_FALSE(e.runSelected());
  const auto calls = e.host->callsByOperation();
  EXPECT_EQ(calls.at("Placement.X"), 2);
  EXPECT_EQ(calls.at("Placement.Y"), 2);
}

TEST(SortSelection, ACoordinateThatIsNoNumberIsRefused) {
  auto d = design("R1* R2*");
  d.parts[1].x = std::numeric_limits<double>::infinity();
  EXPECT_EQ(tests::failureOf([&] { renumber::planRenumbering(d, selectedRun()); }),
            base::errors::kOverflow);
}

}  // namespace
}  // namespace varnel
