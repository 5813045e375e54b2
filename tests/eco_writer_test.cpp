// The ECO file, byte for byte.
#include <gtest/gtest.h>

#include "eco/eco_file.h"
#include "eco/eco_format.h"
#include "eco/windows_1252.h"
#include "fixtures.h"

namespace varnel {
namespace {

using tests::words;

const std::string kHeader = "*PADS-ECO-V3.0-MILS*\r\n\r\n*RENPART*\r\n*REMARK*  AUTORENUMBER\r\n";
const std::string kEnd = "*END*\r\n";

// "R2>R9 R9>R1" as a log.
std::string ecoOf(const std::string& pairs) {
  std::vector<std::string> oldNames, newNames;
  for (const auto& pair : words(pairs)) {
    oldNames.push_back(pair.substr(0, pair.find('>')));
    newNames.push_back(pair.substr(pair.find('>') + 1));
  }
  return eco::ecoText(oldNames, newNames);
}

TEST(EcoFile, AnEmptyLogIsOneSectionOf66Bytes) {
  const std::string file = ecoOf("");
  EXPECT_EQ(file, kHeader + kEnd);
  EXPECT_EQ(file.size(), 66u);
}

TEST(EcoFile, AChainStartsANewSection) {
  const std::string file = ecoOf("R2>R9 R9>R1");
  EXPECT_EQ(file, kHeader + "R2 R9\r\n" + kEnd + "\r\n" + kHeader + "R9 R1\r\n" + kEnd);
  EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 13);
}

TEST(EcoFile, MovesThenRenumberingGiveThreeSections) {
  EXPECT_EQ(eco::sectionBreaks(words("R1 R2 R4 R3"), words("R3 R4 R1 R2")),
            (std::vector<int>{2, 3}));
  EXPECT_EQ(ecoOf("R1>R3 R2>R4 R4>R1 R3>R2"), kHeader + "R1 R3\r\nR2 R4\r\n" + kEnd + "\r\n" +
                                                  kHeader + "R4 R1\r\n" + kEnd + "\r\n" + kHeader +
                                                  "R3 R2\r\n" + kEnd);
}

TEST(EcoFile, IndependentRenamesShareOneSection) {
  EXPECT_EQ(ecoOf("R5>R1 R7>R2"), kHeader + "R5 R1\r\nR7 R2\r\n" + kEnd);
  // A new name that was an earlier old name is no break.
  EXPECT_EQ(ecoOf("R1>R3 R5>R1"), kHeader + "R1 R3\r\nR5 R1\r\n" + kEnd);
  EXPECT_EQ(ecoOf("R1>R1"), kHeader + "R1 R1\r\n" + kEnd);
}

TEST(EcoFile, TheSamePairTwiceBreaksTwiceLeavingAnEmptySection) {
  EXPECT_EQ(eco::sectionBreaks(words("C1 C1"), words("C9 C9")), (std::vector<int>{1, 1}));
  EXPECT_EQ(ecoOf("C1>C9 C1>C9"), kHeader + "C1 C9\r\n" + kEnd + "\r\n" + kHeader + kEnd + "\r\n" +
                                      kHeader + "C1 C9\r\n" + kEnd);
}

TEST(EcoFile, NamesDifferingOnlyInCaseAreDifferentNames) {
  EXPECT_EQ(ecoOf("r5>R1 R5>R2 R1>r5"),
            kHeader + "r5 R1\r\nR5 R2\r\n" + kEnd + "\r\n" + kHeader + "R1 r5\r\n" + kEnd);
}

TEST(EcoFile, HasNoLimitOnSectionBreaks) {
  std::vector<std::string> oldNames, newNames;
  for (int i = 0; i < 1500; ++i) {  // R(i) to R(i+1): every entry after the first is a chain
    oldNames.push_back("R" + std::to_string(i));
    newNames.push_back("R" + std::to_string(i + 1));
  }
  EXPECT_EQ(eco::sectionBreaks(oldNames, newNames).size(), 1499u);
  const std::string file = eco::ecoText(oldNames, newNames);
  std::size_t sections = 0;
  for (auto at = file.find("*END*"); at != std::string::npos; at = file.find("*END*", at + 1))
    ++sections;
  EXPECT_EQ(sections, 1500u);
  EXPECT_TRUE(file.ends_with("\r\nR1499 R1500\r\n*END*\r\n"));
}

TEST(EcoFile, ValidatesAndEncodesEveryNameBeforeWriting) {
  eco::Windows1252Encoder encoder;
  EXPECT_EQ(encoder.encode("R\xC3\x89"
                           "1"),
            std::string("R\xC9"
                        "1"));  // É
  EXPECT_EQ(encoder.encode("\xE2\x82\xAC"
                           "1"),
            std::string("\x80"
                        "1"));  // €
  EXPECT_FALSE(
      encoder.encode("\xCE\xA9"
                     "1"));                   // Ω: not in 1252
  EXPECT_FALSE(encoder.encode("R\xC3"));      // cut short
  EXPECT_FALSE(encoder.encode("R\xC0\x80"));  // overlong
  EXPECT_EQ(eco::unfitForEco("R 1"), "a blank");
  EXPECT_EQ(eco::unfitForEco("R\t1"), "a control character");
  EXPECT_EQ(eco::unfitForEco(""), "an empty designator");
  EXPECT_EQ(eco::unfitForEco("r1"), "");
}

TEST(EcoFileBytes, RefusesANameItCannotCarryBeforeWritingAnything) {
  eco::ChangeLog log;
  log.record(1, "R1", "R2");
  log.record(2, "R2", "R\xCE\xA9");
  eco::Windows1252Encoder encoder;
  try {
    eco::ecoFileBytes(log, encoder);
    FAIL();
  } catch (const base::Error& error) {
    EXPECT_EQ(error.number(), base::errors::kEcoCannotCarry);
    EXPECT_EQ(error.text(),
              "The ECO file cannot carry the designator 'R\xCE\xA9': a character "
              "has no place in the ANSI code page.");
  }
  eco::ChangeLog fine;
  fine.record(1, "R2", "R9");
  EXPECT_EQ(eco::ecoFileBytes(fine, encoder), ecoOf("R2>R9"));
}

}  // namespace
}  // namespace varnel
