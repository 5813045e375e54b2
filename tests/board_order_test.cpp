// Numbering by board position against a plain implementation over generated
// boards: the order (sides, mirroring, the eight orders, the grid, ties) and
// the names a whole run gives (start, bottom start, names left alone passed
// over), with no name ever held twice on the way.
#include "renumber/board_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <set>

#include "app/preview.h"
#include "base/error.h"
#include "model/designator.h"
#include "renumber/plan_renumbering.h"

namespace varnel::tests {
namespace {

using model::BoardSide;
using renumber::BoardSettings;

// Half to even, as a board's designer would round by hand.
double plainCell(double value, double grid) {
  if (grid <= 0) return value;
  const double scaled = value / grid, below = std::floor(scaled), rest = scaled - below;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(below, 2) != 0)) return below + 1;
  return below;
}

struct PlainPart {
  std::string name;
  double x, y;
  BoardSide side;
  std::int32_t position;
};

// True when a comes first: the board turned so that the first line and the
// first place along it are the smallest.
bool plainBefore(const PlainPart& a, const PlainPart& b, const BoardSettings& s) {
  auto turned = [&](const PlainPart& p) {
    double x = plainCell(p.side == BoardSide::bottom && s.bottomSeenFromBelow ? -p.x : p.x,
                         s.placement.grid);
    double y = plainCell(p.y, s.placement.grid);
    if (s.placement.across == renumber::Across::rightToLeft) x = -x;
    if (s.placement.down == renumber::Down::topToBottom) y = -y;
    return s.placement.lines == renumber::Lines::columnsFirst ? std::make_pair(x, y)
                                                              : std::make_pair(y, x);
  };
  const auto ka = turned(a), kb = turned(b);
  if (ka != kb) return ka < kb;
  const int na = std::stoi(a.name.substr(1)), nb = std::stoi(b.name.substr(1));
  if (na != nb) return na < nb;
  return a.name != b.name ? a.name < b.name : a.position < b.position;
}

std::vector<PlainPart> plainOrder(std::vector<PlainPart> parts, const BoardSettings& s) {
  std::vector<PlainPart> out;
  for (const char prefix : std::string("CRU"))
    for (const BoardSide side : {BoardSide::top, BoardSide::bottom}) {
      if ((side == BoardSide::top && s.sides == renumber::Sides::bottomOnly) ||
          (side == BoardSide::bottom && s.sides == renumber::Sides::topOnly))
        continue;
      std::vector<PlainPart> group;
      for (const PlainPart& p : parts)
        if (p.name[0] == prefix && p.side == side) group.push_back(p);
      std::stable_sort(group.begin(), group.end(), [&](const PlainPart& a, const PlainPart& b) {
        return plainBefore(a, b, s);
      });
      out.insert(out.end(), group.begin(), group.end());
    }
  return out;
}

struct Board {
  model::DesignSnapshot design;
  model::BoardPlacement placement;
  std::vector<PlainPart> placed;  // the design's parts the file places
};

// Parts on a few rows and columns, so that grid cells and ties are common;
// some parts are not on the board, and the file places one the design lacks.
Board randomBoard(std::mt19937& random) {
  Board board;
  std::uniform_int_distribution<int> count(1, 40), coordinate(-8, 8), prefix(0, 2), chance(0, 9);
  std::set<std::string> used;
  const int size = count(random);
  for (int k = 0; k < size; ++k) {
    std::string name;
    do name = std::string(1, "CRU"[prefix(random)]) + std::to_string(1 + chance(random) * 7 + k);
    while (!used.insert(name).second);
    board.design.parts.push_back({name});
    if (chance(random) == 0) continue;
    const model::BoardPart part{name, coordinate(random) * 1.25, coordinate(random) * 0.75,
                                chance(random) < 3 ? BoardSide::bottom : BoardSide::top};
    board.placement.parts.push_back(part);
    board.placed.push_back({name, part.x, part.y, part.side, k + 1});
  }
  board.placement.parts.push_back({"Q99", 0, 0, BoardSide::top});
  return board;
}

BoardSettings randomSettings(std::mt19937& random) {
  std::uniform_int_distribution<int> bit(0, 1), sides(0, 2), grid(0, 3);
  BoardSettings s;
  s.placement.lines = bit(random) ? renumber::Lines::rowsFirst : renumber::Lines::columnsFirst;
  s.placement.across = bit(random) ? renumber::Across::rightToLeft : renumber::Across::leftToRight;
  s.placement.down = bit(random) ? renumber::Down::bottomToTop : renumber::Down::topToBottom;
  s.placement.grid = std::array{0.0, 0.5, 1.0, 2.5}[grid(random)];
  s.sides = static_cast<renumber::Sides>(sides(random));
  s.bottomSeenFromBelow = bit(random);
  if (bit(random)) s.bottomStart = 500;
  return s;
}

TEST(BoardOrder, MatchesAPlainImplementationOverGeneratedBoards) {
  std::mt19937 random(33);
  for (int round = 0; round < 400; ++round) {
    const Board board = randomBoard(random);
    const BoardSettings settings = randomSettings(random);
    const renumber::BoardOrder order = renumber::boardOrder(board.design, board.placement, settings,
                                                            renumber::RunScope::allComponents);
    std::vector<renumber::BoardStop> expected;
    for (const PlainPart& p : plainOrder(board.placed, settings))
      expected.push_back({p.position, p.side});
    ASSERT_EQ(order.stops, expected) << "round " << round;
    EXPECT_EQ(order.notOnBoard.size(), board.design.parts.size() - board.placed.size());
    EXPECT_EQ(order.onlyOnBoard, std::vector<std::string>{"Q99"});
  }
}

// The names a plain run gives: each prefix and side in board order counts
// from its start, passing over every name a part left alone bears.
std::map<std::int32_t, std::string> plainNames(const Board& board, const BoardSettings& s,
                                               base::Int16 start) {
  std::set<std::string> taken;
  std::map<std::int32_t, std::string> names;
  const std::vector<PlainPart> order = plainOrder(board.placed, s);
  std::set<std::int32_t> numbered;
  for (const PlainPart& p : order) numbered.insert(p.position);
  for (std::size_t k = 0; k < board.design.parts.size(); ++k)
    if (!numbered.contains(static_cast<std::int32_t>(k + 1)))
      taken.insert(board.design.parts[k].designator);
  char prefix = 0;
  BoardSide side = BoardSide::top;
  int next = 0;
  for (const PlainPart& p : order) {
    if (p.name[0] != prefix || (s.bottomStart && p.side != side))
      next = p.side == BoardSide::bottom && s.bottomStart ? *s.bottomStart : start;
    prefix = p.name[0];
    side = p.side;
    while (taken.contains(prefix + std::to_string(next))) ++next;
    names[p.position] = prefix + std::to_string(next++);
  }
  return names;
}

TEST(BoardOrder, ARunGivesThePlainNamesAndNeverHoldsANameTwice) {
  std::mt19937 random(2033);
  for (int round = 0; round < 300; ++round) {
    const Board board = randomBoard(random);
    renumber::RunSettings settings;
    settings.start = 1;
    settings.rules.board = randomSettings(random);
    const renumber::RenumberPlan plan =
        renumber::planRenumbering(board.design, settings, board.placement);
    std::vector<std::string> names;
    for (const model::Part& part : board.design.parts) names.push_back(part.designator);
    for (const model::Rename& rename : plan.renames) {
      names[rename.position - 1] = rename.to;
      ASSERT_EQ(std::count(names.begin(), names.end(), rename.to), 1) << "round " << round;
    }
    for (const auto& [position, name] : plainNames(board, *settings.rules.board, 1))
      ASSERT_EQ(names[position - 1], name) << "round " << round << " position " << position;
  }
}

TEST(BoardOrder, ATopSideReachingTheBottomStartIsRefusedByPrefix) {
  model::DesignSnapshot design;
  model::BoardPlacement placement;
  for (int k = 1; k <= 3; ++k) {
    design.parts.push_back({"R" + std::to_string(k)});
    placement.parts.push_back({"R" + std::to_string(k), double(k), 0, BoardSide::top});
  }
  renumber::RunSettings settings;
  settings.rules.board = BoardSettings{};
  settings.rules.board->bottomStart = 3;
  try {
    renumber::planRenumbering(design, settings, placement);
    ADD_FAILURE() << "not refused";
  } catch (const base::Error& e) {
    EXPECT_NE(e.text().find("The top side's R parts would reach R3"), std::string::npos)
        << e.text();
  }
  settings.rules.board->bottomStart = 4;
  EXPECT_NO_THROW(renumber::planRenumbering(design, settings, placement));
}

}  // namespace
}  // namespace varnel::tests

namespace varnel::tests {
namespace {

TEST(BoardPreview, ListsWhatIsNotOnTheBoardAndDrawsBothSides) {
  model::DesignSnapshot design;
  for (const char* name : {"R2", "R1", "MH1", "MH2", "MH3"}) design.parts.push_back({name});
  model::BoardPlacement board;
  board.parts = {
      {"R2", 10, 0, BoardSide::top}, {"R1", 2, 0, BoardSide::bottom}, {"Q9", 0, 5, BoardSide::top}};
  board.emptyDesignators = 2;
  board.writtenOn = "2026-11-02";
  renumber::RunSettings settings;
  settings.rules.board = BoardSettings{};
  settings.rules.board->file = "C:\\pcb\\ctrl-pos.csv";
  const renumber::RenumberPlan plan = renumber::planRenumbering(design, settings, board);
  const app::Preview preview = app::previewOf(design, plan, "Preview", &settings.rules, &board);
  std::vector<std::string> left;
  for (const app::PreviewRow& row : preview.rows)
    if (row.step == 0) left.push_back(row.from + " " + row.why);
  EXPECT_EQ(left, (std::vector<std::string>{"MH1 Not on the board: left alone",
                                            "MH2 Not on the board: left alone",
                                            "MH3 Not on the board: left alone",
                                            "Q9 Only on the board: the design has no such part"}));
  EXPECT_NE(preview.summary.find(", by board position from ctrl-pos.csv"), std::string::npos)
      << preview.summary;
  EXPECT_EQ(
      preview.note,
      "3 components of 5 are not in ctrl-pos.csv, last written 2026-11-02: the file is "
      "probably older than the design. 2 rows of the file had no designator and were skipped.");
  // R2 (top) becomes R1, then R1 (bottom) R2, drawn mirrored right of the top side.
  ASSERT_EQ(preview.map.size(), 3u);
  EXPECT_EQ(preview.map[0].label, "R1");
  EXPECT_EQ(preview.map[0].x, 10);
  EXPECT_EQ(preview.map[1].label, "R2");
  EXPECT_GT(preview.map[1].x, 10);
  EXPECT_EQ(preview.map[2].label, "Q9");
  EXPECT_TRUE(preview.map[2].keepsName);
  // One prefix, one colour; the sides' lines apart; Q9 not on any line.
  EXPECT_EQ(preview.map[1].colour, preview.map[0].colour);
  EXPECT_FALSE(preview.map[1].joinsPrevious);
  EXPECT_FALSE(preview.map[2].joinsPrevious);
}

}  // namespace
}  // namespace varnel::tests
