// The stand-in PowerPCB reading ECO files: what the writer writes, it reads
// back as the same renames.
#include "standin/pcb_layout.h"

#include <gtest/gtest.h>

#include "eco/eco_format.h"
#include "fixtures.h"
#include "standin/eco_reader.h"

namespace varnel::standin {
namespace {

using tests::design;
using tests::designators;
using tests::failureOf;
using tests::words;

TEST(PcbLayout, FollowsMovesThenRenumberingSectionBySection) {
  auto layout = design("R1 R2");
  applyEco(layout, eco::ecoText(words("R1 R2 R4 R3"), words("R3 R4 R1 R2")));
  EXPECT_EQ(designators(layout), words("R2 R1"));
}

TEST(PcbLayout, ReadsBackExactlyTheRenamesWritten) {
  const auto sections = readEco(eco::ecoText(words("R2 R9 C1 C1"), words("R9 R1 C9 C9")));
  ASSERT_EQ(sections.size(), 4u);  // R9 R1 is a chain; C1 C9 twice breaks twice
  EXPECT_EQ(sections[0], (EcoSection{{"R2", "R9"}}));
  EXPECT_EQ(sections[1], (EcoSection{{"R9", "R1"}, {"C1", "C9"}}));
  EXPECT_TRUE(sections[2].empty());
  EXPECT_EQ(sections[3], (EcoSection{{"C1", "C9"}}));
}

TEST(PcbLayout, RefusesARenameToANameInUseAndChangesNothing) {
  auto layout = design("R1 R2");
  const auto before = layout;
  EXPECT_EQ(failureOf([&] { applyEco(layout, eco::ecoText(words("R1"), words("R2"))); }),
            kEcoNameExists);
  EXPECT_EQ(failureOf([&] { applyEco(layout, eco::ecoText(words("R7"), words("R8"))); }),
            kEcoUnknownPart);
  EXPECT_EQ(layout, before);
}

TEST(PcbLayout, RefusesMalformedFiles) {
  const std::string good = eco::ecoText(words("R1"), words("R5"));
  auto layout = design("R1");
  for (const std::string& bad :
       {std::string(), good.substr(0, good.size() - 2), good.substr(2),
        std::string("*PADS-ECO-V3.0-MILS*\n\n*RENPART*\n*REMARK*  AUTORENUMBER\n*END*\n"),
        good + "\r\n", good + "junk\r\n",
        std::string("*PADS-ECO-V3.0-MILS*\r\n\r\n*RENPART*\r\n*REMARK*  AUTORENUMBER\r\nR1  R5\r\n"
                    "*END*\r\n"),
        std::string("*PADS-ECO-V3.0-MILS*\r\n\r\n*RENPART*\r\n*REMARK* AUTORENUMBER\r\n*END*\r\n")})
    EXPECT_EQ(failureOf([&] { applyEco(layout, bad); }), kMalformedEco) << bad;
  EXPECT_EQ(designators(layout), words("R1"));
}

}  // namespace
}  // namespace varnel::standin
