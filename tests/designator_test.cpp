#include "model/designator.h"

#include <gtest/gtest.h>

#include "base/error.h"

namespace varnel {
namespace {

struct DesignatorCase {
  const char* label;
  std::string designator;
  std::string prefix;
  std::string number;
  base::Int16 value;
  bool alphabetic;
  std::string renumbered;  // withNumber 7
  bool setsNoNumber;       // letters only: no number part
  friend void PrintTo(const DesignatorCase& c, std::ostream* os) { *os << c.label; }
};

class DesignatorTable : public testing::TestWithParam<DesignatorCase> {};

TEST_P(DesignatorTable, SplitsTestsAndComposes) {
  const DesignatorCase& c = GetParam();
  using namespace model::designator;
  EXPECT_EQ(prefix(c.designator), c.prefix);
  // Letters only: no number part, which the run reads as "0".
  EXPECT_EQ(numberPart(c.designator).empty(), c.setsNoNumber);
  EXPECT_EQ(c.setsNoNumber ? "0" : std::string(numberPart(c.designator)), c.number);
  EXPECT_EQ(wholeNumber(c.designator), c.value);
  EXPECT_EQ(endsInLetter(c.designator), c.alphabetic);
  EXPECT_EQ(withNumber(c.designator, 7), c.renumbered);
}

INSTANTIATE_TEST_SUITE_P(
    Designators, DesignatorTable,
    testing::Values(DesignatorCase{"R12", "R12", "R", "12", 12, false, "R7", false},
                    DesignatorCase{"IC105", "IC105", "IC", "105", 105, false, "IC7", false},
                    DesignatorCase{"R007", "R007", "R", "007", 7, false, "R7", false},
                    DesignatorCase{"U1A", "U1A", "U", "1A", 0, true, "U7", false},
                    DesignatorCase{"TP", "TP", "TP", "0", 0, true, "TP7", true},
                    DesignatorCase{"Empty", "", "", "0", 0, false, "7", true},
                    DesignatorCase{"LowerCase", "r12", "", "r12", 0, false, "7", false},
                    DesignatorCase{"BareNumber", "12", "", "12", 12, false, "7", false},
                    DesignatorCase{"Negative", "R-5", "R", "-5", -5, false, "R7", false},
                    DesignatorCase{"OutOfRange", "R40000", "R", "40000", 0, false, "R7", false},
                    DesignatorCase{"AccentedLetter",
                                   "\xC3\x85"
                                   "1",
                                   "",
                                   "\xC3\x85"
                                   "1",
                                   0, false, "7", false}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(DesignatorNumbers, ConvertLikeTheHostWithBlanksSignsAndBankersRounding) {
  using model::designator::numberValue;
  EXPECT_EQ(numberValue(" 12 "), 12);
  EXPECT_EQ(numberValue("+5"), 5);
  EXPECT_EQ(numberValue("2.5"), 2);
  EXPECT_EQ(numberValue("3.5"), 4);
  EXPECT_EQ(numberValue("-2.5"), -2);
  EXPECT_EQ(numberValue("32767"), 32767);
  EXPECT_EQ(numberValue("-32768"), -32768);
  EXPECT_EQ(numberValue("32767.4"), 32767);
  EXPECT_FALSE(numberValue("32767.5"));
  EXPECT_FALSE(numberValue("32768"));
  EXPECT_FALSE(numberValue("-32769"));
  EXPECT_FALSE(numberValue(""));
  EXPECT_FALSE(numberValue("1A"));
  EXPECT_FALSE(numberValue("1e3"));
  EXPECT_FALSE(numberValue("."));
  EXPECT_FALSE(numberValue("--1"));
  EXPECT_FALSE(numberValue(std::string(100, '9')));
}

TEST(DesignatorNumbers, WithNumberWritesNegativeNumbersAfterThePrefix) {
  EXPECT_EQ(model::designator::withNumber("R3", -2), "R-2");
  EXPECT_EQ(model::designator::withNumber("C1", 32767), "C32767");
  EXPECT_EQ(model::designator::withNumber("C1", -32768), "C-32768");
}

TEST(DesignatorPrefix, OverflowsAt32767LeadingLetters) {
  EXPECT_EQ(model::designator::prefix(std::string(32766, 'A') + "1").size(), 32766u);
  try {
    model::designator::prefix(std::string(32767, 'A'));
    FAIL() << "expected overflow";
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), 6);
    EXPECT_EQ(e.text(), "Overflow: a designator begins with more than 32766 letters");
  }
  // The number part and the alphabetic test have no such limit.
  EXPECT_EQ(model::designator::numberPart(std::string(40000, 'A') + "5"), "5");
  EXPECT_TRUE(model::designator::endsInLetter(std::string(40000, 'A')));
}

TEST(StartNumberText, AcceptsOnlyWholeNumbersIn16Bits) {
  using model::designator::parseStartNumber;
  EXPECT_EQ(parseStartNumber("1"), 1);
  EXPECT_EQ(parseStartNumber("-5"), -5);
  EXPECT_EQ(parseStartNumber("0"), 0);
  EXPECT_EQ(parseStartNumber("-0"), 0);
  EXPECT_EQ(parseStartNumber("007"), 7);
  EXPECT_EQ(parseStartNumber("32767"), 32767);
  EXPECT_EQ(parseStartNumber("-32768"), -32768);
  // Blanks around the number and a plus sign, as the number conversion takes them.
  EXPECT_EQ(parseStartNumber("  7 "), 7);
  EXPECT_EQ(parseStartNumber("\t+5"), 5);
  EXPECT_EQ(parseStartNumber(" -3"), -3);
  for (const char* bad : {"", "-", "+", " ", "abc", "1e3", "7 7", "- 7", "+-7", "++7", "40000",
                          "32768", "-32769", "&H10", "0x10", "1.0", "1.5", "1,000"})
    EXPECT_FALSE(parseStartNumber(bad)) << bad;
  EXPECT_FALSE(parseStartNumber(std::string(10000, '1')));
}

}  // namespace
}  // namespace varnel
