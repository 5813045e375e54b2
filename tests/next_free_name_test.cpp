// AssignNext: the designator of the same prefix a run gives instead.
#include <gtest/gtest.h>

#include "fixtures.h"

namespace varnel {
namespace {

using testing::design;
using testing::Engine;

struct NextFreeCase {
  const char* label;
  const char* list;
  const char* component;
  const char* result;
  friend void PrintTo(const NextFreeCase& c, std::ostream* os) { *os << c.label; }
};

class NextFree : public ::testing::TestWithParam<NextFreeCase> {};

TEST_P(NextFree, WalksTheFirstStretchOfThePrefix) {
  Engine e(design(GetParam().list));
  e.form.tallennakaikki();
  e.form.noNumber = true;  // left over from an earlier parse
  EXPECT_EQ(e.form.AssignNext(GetParam().component), GetParam().result);
  EXPECT_FALSE(e.form.noNumber);
}

INSTANTIATE_TEST_SUITE_P(
    Lists, NextFree,
    ::testing::Values(
        NextFreeCase{"GapInTheMiddle", "C1 C2 R1 R2 R3 R7 R8 U1", "R2", "R6"},
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

TEST(FirstFreeDesignator, SkipsNamesInUseButNotTheComponentsOwn) {
  Engine e(design("R3 R4 R6"));
  EXPECT_EQ(e.form.firstFreeDesignator("R3", ""), "R5");
  EXPECT_EQ(e.form.firstFreeDesignator("R3", "R4"), "R4");
  EXPECT_EQ(e.form.firstFreeDesignator("R1", ""), "R1");
}

TEST(FirstFreeDesignator, OverflowsInsteadOfWrappingAround) {
  Engine e(design("R32767"));
  EXPECT_THROW(e.form.firstFreeDesignator("R32767", ""), Error);
}

}  // namespace
}  // namespace varnel
