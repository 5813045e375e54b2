// The placement file reader over a file of each shape the layout tools
// write, over small variants of them, and over the files it must refuse.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "base/error.h"
#include "eco/placement_file.h"

namespace varnel::tests {
namespace {

using model::BoardPart;
using model::BoardSide;

std::string sample(const std::string& file) {
  std::ifstream in(std::string(VARNEL_SOURCE_DIR) + "/tests/placement/" + file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Every sample file places the same three parts of the same small board.
const std::vector<BoardPart> kBoard = {{"C1", 14.5, -22.1, BoardSide::top},
                                       {"R1", 20.0, -22.1, BoardSide::top},
                                       {"U1", 30.25, -10.0, BoardSide::bottom}};

void expectParts(const model::BoardPlacement& read, const std::vector<BoardPart>& expected,
                 const std::string& what) {
  ASSERT_EQ(read.parts.size(), expected.size()) << what;
  for (std::size_t k = 0; k < expected.size(); ++k) {
    EXPECT_EQ(read.parts[k].designator, expected[k].designator) << what;
    EXPECT_NEAR(read.parts[k].x, expected[k].x, 1e-3) << what << " " << expected[k].designator;
    EXPECT_NEAR(read.parts[k].y, expected[k].y, 1e-3) << what << " " << expected[k].designator;
    EXPECT_EQ(read.parts[k].side, expected[k].side) << what << " " << expected[k].designator;
  }
}

TEST(PlacementFile, EachExportersShapeGivesTheSameBoard) {
  const struct {
    const char* file;
    int emptyDesignators;
  } files[] = {{"kicad.pos", 0},  {"kicad.csv", 0},        {"cpl.csv", 1}, {"altium.txt", 0},
               {"altium.csv", 0}, {"export_utf16.txt", 0}, {"bang.txt", 0}};
  for (const auto& file : files) {
    const model::BoardPlacement read = eco::readPlacementFile(sample(file.file), file.file);
    expectParts(read, kBoard, file.file);
    EXPECT_EQ(read.emptyDesignators, file.emptyDesignators) << file.file;
  }
}

TEST(PlacementFile, HeaderlessFilesTakeTheirSideFromTheirNameOrFromTheirRole) {
  const model::BoardPlacement top = eco::readPlacementFile(sample("board.mnt"), "board.mnt");
  const model::BoardPlacement bottom = eco::readPlacementFile(sample("board.mnb"), "board.mnb");
  expectParts(eco::combinedPlacement(top, "board.mnt", bottom, "board.mnb"), kBoard, "mnt + mnb");
  const model::BoardPlacement chosen =
      eco::readPlacementFile(sample("board.mnt"), "board.mnt", BoardSide::bottom);
  EXPECT_EQ(chosen.parts[0].side, BoardSide::bottom);
  const struct {
    const char* name;
    BoardSide side;
  } names[] = {{"C:\\out\\board.mnb", BoardSide::bottom}, {"board_back.csv", BoardSide::bottom},
               {"board-bot.txt", BoardSide::bottom},      {"Board_Bottom.pos", BoardSide::bottom},
               {"board_front.csv", BoardSide::top},       {"robotics.csv", BoardSide::top},
               {"bottle\\board.pos", BoardSide::top}};
  for (const auto& name : names) EXPECT_EQ(eco::sideOfFileName(name.name), name.side) << name.name;
}

std::string utf16BigEndian(const std::string& ascii) {
  std::string bytes = "\xFE\xFF";
  for (const char c : ascii) bytes += std::string(1, '\0') + c;
  return bytes;
}

TEST(PlacementFile, VariantsOfSeparatorsUnitsHeadersAndEncodings) {
  const struct {
    const char* what;
    std::string bytes;
    BoardPart first;
  } cases[] = {
      {"decimal comma",
       "Ref;X;Y;Side\nR1;1,5;-2,25;Bottom\n",
       {"R1", 1.5, -2.25, BoardSide::bottom}},
      {"blank header with a unit", "Ref  X (mm)  Y (mm)\nR1   1.5     2\n", {"R1", 1.5, 2, {}}},
      {"unit of a units line", "Unit: mil\nRef X Y\nR1 100 -50\n", {"R1", 2.54, -1.27, {}}},
      {"column unit over units line",
       "Units used: mil\nRef,X(in),Y(in)\nR1,1,2\n",
       {"R1", 25.4, 50.8, {}}},
      {"suffix over column unit", "Ref,X(mil),Y(mil)\nR1,1mm, 2 mm \n", {"R1", 1, 2, {}}},
      {"Ref X Y not taken for Ref X", "Ref X Y Rot\nR1 3 4 0\n", {"R1", 3, 4, {}}},
      {"Ref Des and Mid X", "Ref Des  Mid X  Mid Y\nR1       3      4\n", {"R1", 3, 4, {}}},
      {"centre before reference point",
       "Ref X,Ref Y,Part,Mid X,Mid Y\n9,9,R1,3,4\n",
       {"R1", 3, 4, {}}},
      {"reference point before pad",
       "Pad X,Part,Ref X,Ref Y,Pad Y\n9,R1,3,4,9\n",
       {"R1", 3, 4, {}}},
      {"signed and padded", "Ref,X,Y\nR1,  +3.5 , -0.5\n", {"R1", 3.5, -0.5, {}}},
      {"CR line ends", "Ref,X,Y\rR1,3,4\r", {"R1", 3, 4, {}}},
      {"UTF-8 byte order mark", "\xEF\xBB\xBFRef,X,Y\nR1,3,4\n", {"R1", 3, 4, {}}},
      {"UTF-16 big-endian", utf16BigEndian("Ref,X,Y\nR1,3,4"), {"R1", 3, 4, {}}},
      {"empty field read by position",
       "Ref  Value  X   Y   Side\nR1          3   4   Bottom\n",
       {"R1", 3, 4, BoardSide::bottom}},
      {"field with blanks read by position",
       "Ref  Value   X   Y\nR1   10 k    3   4\n",
       {"R1", 3, 4, {}}},
      {"mirror column", "Name,X,Y,Mirror\nR1,3,4,M\n", {"R1", 3, 4, BoardSide::bottom}},
      {"side words", "Ref,X,Y,TB\nR1,3,4, B.Cu\n", {"R1", 3, 4, BoardSide::bottom}},
      {"rules under the header", "Ref X Y\n=== === ===\nR1 3 4\n", {"R1", 3, 4, {}}},
      {"hash rule in the data", "Ref X Y\n###\nR1 3 4\n## End\nR2 5 6\n", {"R1", 3, 4, {}}},
      {"title with a comma first", "Board, rev B\nDesignator\tX\tY\nR1\t3\t4\n", {"R1", 3, 4, {}}},
  };
  for (const auto& c : cases) {
    try {
      expectParts(eco::readPlacementFile(c.bytes, "board.txt"), {c.first}, c.what);
    } catch (const base::Error& e) {
      ADD_FAILURE() << c.what << ": " << e.text();
    }
  }
}

TEST(PlacementFile, RefusalsNameTheFileAndTheLineAndRenameNothing) {
  std::string prelude;
  for (int k = 0; k < 40; ++k) prelude += "title line\n";
  const struct {
    std::string bytes;
    std::string says;
  } cases[] = {
      {"", "pnp.txt is empty."},
      {"  \n\n", "pnp.txt is empty."},
      {"Ref,X,Y\n", "pnp.txt places no part."},
      {"Board\nValue X Y\n",
       "pnp.txt has no column of designators and X and Y positions in its "
       "first 40 lines."},
      {prelude + "Ref,X,Y\nR1,1,2\n", "has no column of designators"},
      {"Ref;X;Y\nR1;12,3.4;5\n", "pnp.txt, line 2: the X position \"12,3.4\" is not a number."},
      {"Ref,X,Y\nR1,1,2mmm\n", "line 2: the Y position \"2mmm\" is not a number."},
      {"Ref,X,Y\nR1,1,\n", "line 2: the Y position \"\" is not a number."},
      {"Ref X Y\nR1 1 2\nR2 3 4\nR1 3 4\n",
       "line 4: R1 is placed twice, here and at another "
       "place on line 2."},
      {"Ref,X,Y,Side\nR1,1,2,middle\n", "line 2: the side \"middle\" is neither top nor bottom."},
      {"Ref,X,Y,Side\nR1,1,2,\n", "line 2: the side \"\" is neither top nor bottom."},
      {"R1 1 2\nR2 x 3\n", "line 2: the X position \"x\" is not a number."},
      {"R1 1 2\nR2 3\n", "line 2: the row has no X and Y position."},
  };
  for (const auto& c : cases) {
    try {
      eco::readPlacementFile(c.bytes, "pnp.txt");
      ADD_FAILURE() << "read: " << c.bytes;
    } catch (const base::Error& e) {
      EXPECT_EQ(e.number(), base::errors::kPlacementFile);
      EXPECT_NE(e.text().find(c.says), std::string::npos) << e.text();
      EXPECT_TRUE(e.text().ends_with("Nothing was renamed.")) << e.text();
    }
  }
  const model::BoardPlacement one = eco::readPlacementFile("R1 1 2\n", "a.mnt");
  EXPECT_THROW(eco::combinedPlacement(one, "a.mnt", one, "a.mnb"), base::Error);
  // The same part twice at one place is one part.
  EXPECT_EQ(eco::readPlacementFile("R1 1 2\nR1 1 2\n", "a.mnt").parts.size(), 1u);
}

}  // namespace
}  // namespace varnel::tests
