// Moving conflicts aside: components whose numbers the run will give move first.
#include <gtest/gtest.h>

#include "fixtures.h"
#include "renumber/planning.h"

namespace varnel {
namespace {

using tests::design;
using tests::words;

std::vector<std::string> movesFor(const std::string& parts, const std::string& start) {
  renumber::RunSettings settings;
  settings.start = static_cast<base::Int16>(std::stoi(start));
  renumber::Planning p(design(parts), settings);
  p.storeAllNames();
  p.moveConflictsAside();
  std::vector<std::string> moves;
  for (const model::Rename& r : p.plan().renames) moves.push_back(r.from + ">" + r.to);
  return moves;
}

TEST(ClearingConflicts, MovesEveryNumberInRangeAboveAllInUseInTableOrder) {
  EXPECT_EQ(movesFor("R1 R2 C1 U5", "1"), words("R1>R7 R2>R8 C1>C9 U5>U10"));
}

TEST(ClearingConflicts, MovesOnlyTheRangeFromStartToStartPlusCount) {
  EXPECT_EQ(movesFor("R1 R2 R12", "10"), words("R12>R23"));
  // Range 10..13 for three parts: 13 is moved, 14 and 9 are not.
  EXPECT_EQ(movesFor("R13 R14 R9", "10"), words("R13>R25"));
}

TEST(ClearingConflicts, NeverMovesAlphabeticDesignators) {
  EXPECT_EQ(movesFor("TP R0", "0"), words("R0>R1"));
}

TEST(ClearingConflicts, MovesNothingInAnEmptyTable) {
  renumber::Planning p(design("R1"), renumber::RunSettings{});
  p.moveConflictsAside();
  EXPECT_TRUE(p.plan().renames.empty());
}

TEST(ClearingConflicts, TakesTheNextFreeNumberWhenATemporaryOneIsInUse) {
  EXPECT_EQ(movesFor("R1 R2 R3", "-1"), words("R1>R4 R2>R5"));
}

}  // namespace
}  // namespace varnel
