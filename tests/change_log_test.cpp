#include <gtest/gtest.h>

#include "fixtures.h"

namespace varnel {
namespace {

using testing::design;
using testing::Engine;

TEST(ChangeLog, RecordsPairsInOrderWithTheNameTheHostReports) {
  Engine e(design("R3 R1"));
  auto list = e.form.partList;
  e.form.renameRecorded(*list->Item(1), "R3", "R101");
  e.form.renameRecorded(*list->Item(1), "R101", "R101");  // the same name back
  EXPECT_EQ(e.form.oldNames, (std::vector<std::string>{"R3", "R101"}));
  EXPECT_EQ(e.form.newNames, (std::vector<std::string>{"R101", "R101"}));
  EXPECT_EQ(e.form.oldCount, 2);
  EXPECT_EQ(e.form.newCount, 2);
}

TEST(ChangeLog, HasNoFixedCapacity) {
  frmRenPart form{Platform{}};
  for (int i = 0; i < 20002; ++i) {
    form.TallennaMuuttamaton("R" + std::to_string(i));
    form.TallennaMuutettu("R" + std::to_string(i + 1));
  }
  EXPECT_EQ(form.newCount, 20002);
  EXPECT_EQ(form.oldNames[20001], "R20001");
}

TEST(ChangeLog, ARefusedRenameLeavesNoHalfPair) {
  Engine e(design("R1 R2"));
  EXPECT_THROW(e.form.renameRecorded(*e.form.partList->Item(1), "R1", "R2"), Error);
  EXPECT_TRUE(e.form.oldNames.empty());
  EXPECT_EQ(e.form.oldCount, 0);
}

TEST(ChangeLog, ARenameWhoseReadBackFailsIsStillLogged) {
  Engine e(design("R1 R2"));
  auto part = e.form.partList->Item(1);
  e.host->failCall(2, Error(0x800706BA, "gone"));  // setName succeeds, Name fails
  EXPECT_THROW(e.form.renameRecorded(*part, "R1", "R5"), Error);
  EXPECT_EQ(e.names()[0], "R5");
  EXPECT_EQ(e.form.newNames, (std::vector<std::string>{"R5"}));
}

TEST(EcoMemory, FindsOnlyExactNamesAndAlwaysTheEmptyName) {
  frmRenPart form{Platform{}};
  EXPECT_FALSE(form.checkEcomuisti("R5"));
  EXPECT_TRUE(form.checkEcomuisti(""));
  form.ecoMemory.insert("R5");
  EXPECT_TRUE(form.checkEcomuisti("R5"));
  EXPECT_FALSE(form.checkEcomuisti("r5"));
  form.TyhjennaEcomuisti();
  EXPECT_FALSE(form.checkEcomuisti("R5"));
  form.TyhjennaEcomuisti();
  EXPECT_TRUE(form.ecoMemory.empty());
}

}  // namespace
}  // namespace varnel
