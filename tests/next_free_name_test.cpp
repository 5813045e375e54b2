// The next free name: the designator of the same prefix a run gives instead.
#include <gtest/gtest.h>

#include <random>

#include "fixtures.h"
#include "renumber/planning.h"

namespace varnel {
namespace {

using tests::design;

struct NextFreeCase {
  const char* label;
  const char* list;
  const char* component;
  const char* result;
  friend void PrintTo(const NextFreeCase& c, std::ostream* os) { *os << c.label; }
};

class NextFree : public testing::TestWithParam<NextFreeCase> {};

TEST_P(NextFree, WalksTheFirstStretchOfThePrefix) {
  renumber::Planning p(design(GetParam().list), renumber::RunSettings{});
  p.storeAllNames();
  EXPECT_EQ(p.freeNames().nextFreeName(GetParam().component), GetParam().result);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, NextFree,
    testing::Values(NextFreeCase{"GapInTheMiddle", "C1 C2 R1 R2 R3 R7 R8 U1", "R2", "R6"},
                    NextFreeCase{"FromTheFirst", "C1 C2 R1 R2 R3 R7 R8 U1", "R1", "R6"},
                    NextFreeCase{"AboveTheLastGap", "C1 C2 R1 R2 R3 R7 R8 U1", "R8", "R9"},
                    NextFreeCase{"NoGapStretchEnds", "C1 R1 R2 R3 U1", "R2", "R4"},
                    NextFreeCase{"PastTheLastItem", "C1 R1 R2", "R1", "R3"},
                    NextFreeCase{"BelowAGap", "R1 R2 R5 R6", "R1", "R4"},
                    NextFreeCase{"AtTheGapsUpperEnd", "R1 R2 R5 R6", "R5", "R7"},
                    NextFreeCase{"AboveEverything", "R1 R2 R5 R6", "R6", "R7"},
                    NextFreeCase{"GapAfterOtherPrefix", "C5 R3 R4", "R1", "R2"},
                    NextFreeCase{"NotBelowTheFirst", "C1 R3 R4", "R3", "R5"},
                    NextFreeCase{"NoTestAtPositionOne", "R5 R6 C1", "R1", "R7"},
                    NextFreeCase{"LettersOnlyBeforeTheEnd", "C1 R1 R U1 U2", "R1", "R2"},
                    NextFreeCase{"OnlyTheFirstStretch", "R1 C1 R2 R3", "R1", "R2"},
                    NextFreeCase{"NoEntryWithThePrefix", "C1 C2", "R7", "R8"},
                    NextFreeCase{"NumberPartNotWhole", "R1 R12A U1", "R1", "R1"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(FirstFreeName, SkipsNamesInUseButNotTheComponentsOwn) {
  renumber::Planning p(design("R3 R4 R6"), renumber::RunSettings{});
  EXPECT_EQ(p.freeNames().firstFreeName("R3", ""), "R5");
  EXPECT_EQ(p.freeNames().firstFreeName("R3", "R4"), "R4");
  EXPECT_EQ(p.freeNames().firstFreeName("R1", ""), "R1");
  EXPECT_EQ(p.freeNames().firstFreeName("R3", ""), "R5") << "again, from what it has learnt";
}

TEST(FirstFreeName, OverflowsInsteadOfWrappingAround) {
  renumber::Planning p(design("R32767"), renumber::RunSettings{});
  EXPECT_THROW(p.freeNames().firstFreeName("R32767", ""), base::Error);
}

TEST(NextFreeName, TheWalkSeesTheRunsOwnRenames) {
  renumber::Planning p(design("R1 R2 R3"), renumber::RunSettings{});
  p.storeAllNames();
  EXPECT_EQ(p.freeNames().nextFreeName("R1"), "R4");
  p.rename(2, "R9");
  EXPECT_EQ(p.freeNames().nextFreeName("R1"), "R8");
  EXPECT_EQ(p.freeNames().firstFreeName("R9", ""), "R10") << "the renamed name is in use";
  EXPECT_EQ(p.freeNames().firstFreeName("R2", ""), "R2") << "and the old one free";
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

TEST(FirstAboveTree, AnswersAsAScanDoesThroughChanges) {
  std::mt19937 random(5);
  for (int size : {1, 2, 7, 64, 100}) {
    renumber::FirstAboveTree tree(size);
    std::vector<int> keys(size, renumber::FirstAboveTree::kNever);
    for (int round = 0; round < 400; ++round) {
      const int index = static_cast<int>(random() % size);
      keys[index] =
          random() % 5 == 0 ? renumber::FirstAboveTree::kNever : static_cast<int>(random() % 40);
      tree.set(index, keys[index]);
      const int from = static_cast<int>(random() % (size + 1));
      const int bound = static_cast<int>(random() % 44) - 2;
      std::optional<int> scan;
      for (int k = from; k < size && !scan; ++k)
        if (keys[k] > bound) scan = k;
      ASSERT_EQ(tree.firstAbove(from, bound), scan) << size << " " << round;
    }
    const renumber::FirstAboveTree built(keys);  // the same keys, built at once
    for (int bound = -2; bound < 42; ++bound)
      ASSERT_EQ(built.firstAbove(0, bound), tree.firstAbove(0, bound));
  }
}

TEST(KnownUsedNumbers, MergesSplitsAndAnswersRuns) {
  renumber::KnownUsedNumbers known;
  for (int n : {3, 5, 4, 9, 1}) known.add("R", n);
  EXPECT_EQ(known.runEnd("R", 3), 5);
  EXPECT_EQ(known.runEnd("R", 1), 1);
  EXPECT_FALSE(known.runEnd("R", 2));
  EXPECT_FALSE(known.runEnd("C", 3));
  known.remove("R", 4);
  EXPECT_EQ(known.runEnd("R", 3), 3);
  EXPECT_EQ(known.runEnd("R", 5), 5);
  known.add("R", 2);
  EXPECT_EQ(known.runEnd("R", 1), 3);
  known.remove("R", 7);  // never known
  EXPECT_EQ(known.runEnd("R", 9), 9);
  // Runs across many words, from the lowest number to the highest.
  for (int n = -32768; n <= -32000; ++n) known.add("C", n);
  EXPECT_EQ(known.runEnd("C", -32768), -32000);
  for (int n = 32000; n <= 32767; ++n) known.add("C", n);
  EXPECT_EQ(known.runEnd("C", 32100), 32767);
  EXPECT_FALSE(known.runEnd("C", 31999));
}

TEST(KnownUsedNumbers, KnowsOnlyPlainDesignators) {
  EXPECT_EQ(renumber::plainNumber("R12"), (std::pair<std::string, int>{"R", 12}));
  EXPECT_EQ(renumber::plainNumber("R-3"), (std::pair<std::string, int>{"R", -3}));
  EXPECT_EQ(renumber::plainNumber("7"), (std::pair<std::string, int>{"", 7}));
  for (const char* other : {"R012", "R12A", "R", "R+1", "R1.0", "r1x"})
    EXPECT_FALSE(renumber::plainNumber(other)) << other;
}

}  // namespace
}  // namespace varnel

namespace varnel {
namespace {

TEST(ListName, ParsesTheNumberOnce) {
  EXPECT_EQ(renumber::ListName("R12").number, 12);
  EXPECT_TRUE(renumber::ListName("R12").hasNumber);
  EXPECT_FALSE(renumber::ListName("TP").hasNumber);
  EXPECT_EQ(renumber::ListName("R12A").number, 0);
  EXPECT_TRUE(renumber::ListName("R12A").hasNumber);
}

}  // namespace
}  // namespace varnel
