#include "standin/design_file.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace varnel::standin {
namespace {

TEST(DesignFile, ReadsNameScopesPartsAndSelection) {
  const auto design = parseDesign(
      "# a comment\n\ndesign   My Board.sch  \r\nscopes 3\nR1 100 -2.5 selected\n\"\" 0 1e3\n",
      "b.design");
  EXPECT_EQ(design.name, "My Board.sch");
  EXPECT_EQ(design.scopes, 3);
  ASSERT_EQ(design.parts.size(), 2u);
  EXPECT_EQ(design.parts[0], (PartData{"R1", 100, -2.5, true}));
  EXPECT_EQ(design.parts[1], (PartData{"", 0, 1000, false}));
}

TEST(DesignFile, LoadSaveLoadGivesTheSameDesign) {
  DesignData design{"x.sch",
                    2,
                    {{"R1", 0.1, 1e-7, true},
                     {"", -0.3, 123456789.125, false},
                     {"U1A", 1.0 / 3.0, 2e300, false}}};
  const std::string text = formatDesign(design);
  EXPECT_EQ(parseDesign(text, "t"), design);
  EXPECT_EQ(formatDesign(parseDesign(text, "t")), text);
  EXPECT_NE(text.find("R1 0.1 1e-07 selected\n"), std::string::npos) << text;
  EXPECT_EQ(formatDesign({"d", 1, {{"R1", 10, 100000, false}}}), "design d\nR1 10 100000\n");
  EXPECT_NE(text.find("\"\" -0.3 123456789.125\n"), std::string::npos) << text;
}

TEST(DesignFile, DefaultScopeCountIsOneAndIsNotWritten) {
  const auto design = parseDesign("design d\nR1 0 0\n", "f");
  EXPECT_EQ(design.scopes, 1);
  EXPECT_EQ(formatDesign(design), "design d\nR1 0 0\n");
}

struct Malformed {
  const char* label;
  const char* text;
  const char* message;
  friend void PrintTo(const Malformed& m, std::ostream* os) { *os << m.label; }
};

class MalformedDesign : public testing::TestWithParam<Malformed> {};

TEST_P(MalformedDesign, IsRefusedNamingFileLineAndWhatWasExpected) {
  try {
    parseDesign(GetParam().text, "board.design");
    FAIL() << "accepted";
  } catch (const DesignFileError& e) {
    EXPECT_EQ(std::string(e.what()), GetParam().message);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Lines, MalformedDesign,
    testing::Values(
        Malformed{"Empty", "", "board.design:1: expected 'design NAME', got the end of the file"},
        Malformed{"NoDesignLine", "R1 0 0\n",
                  "board.design:1: expected 'design NAME', got 'R1 0 0'"},
        Malformed{"ScopesNotANumber", "design d\nscopes many\n",
                  "board.design:2: expected 'scopes N' with N a whole number, got 'scopes many'"},
        Malformed{"ScopesFraction", "design d\nscopes 1.5\n",
                  "board.design:2: expected 'scopes N' with N a whole number, got 'scopes 1.5'"},
        Malformed{"ScopesAfterParts", "design d\nR1 0 0\nscopes 2\n",
                  "board.design:3: expected 'DESIGNATOR X Y' optionally followed by "
                  "'selected', got 'scopes 2'"},
        Malformed{"TooFewFields", "design d\n# c\nR1 0\n",
                  "board.design:3: expected 'DESIGNATOR X Y' optionally followed by "
                  "'selected', got 'R1 0'"},
        Malformed{"TooManyFields", "design d\nR1 0 0 selected x\n",
                  "board.design:2: expected 'DESIGNATOR X Y' optionally followed by "
                  "'selected', got 'R1 0 0 selected x'"},
        Malformed{"BadX", "design d\nR1 1x 0\n", "board.design:2: expected X coordinate, got '1x'"},
        Malformed{"BadY", "design d\nR1 0 nan\n",
                  "board.design:2: expected Y coordinate, got 'nan'"},
        Malformed{"InfiniteY", "design d\nR1 0 1e999\n",
                  "board.design:2: expected Y coordinate, got '1e999'"},
        Malformed{"BadFlag", "design d\nR1 0 0 chosen\n",
                  "board.design:2: expected 'selected' or the end of the line, got 'chosen'"}),
    [](const auto& info) { return std::string(info.param.label); });

TEST(DesignFile, FilesRoundTripAndMissingFilesAreNamed) {
  const auto path = std::filesystem::temp_directory_path() / "varnel_design_file_test.design";
  DesignData design{"d", 1, {{"C1", 5, 6, false}}};
  saveDesignFile(design, path.string());
  EXPECT_EQ(loadDesignFile(path.string()), design);
  std::filesystem::remove(path);
  try {
    loadDesignFile(path.string());
    FAIL();
  } catch (const DesignFileError& e) {
    EXPECT_EQ(std::string(e.what()), path.string() + ": cannot open the file for reading");
  }
}

}  // namespace
}  // namespace varnel::standin
