// Filling and emptying the run's tables from the stand-in host.
#include <gtest/gtest.h>

#include "fixtures.h"

namespace varnel {
namespace {

using testing::design;
using testing::Engine;

std::string joined(const NameTable& table) {
  std::string out;
  for (int i = 0; i < table.usedCount(); ++i) out += (i ? " " : "") + table[i];
  return out;
}

TEST(NameTables, FillAllAndSelectedNamesInListOrder) {
  Engine e(design("R2 C1* U1A R1*"));
  e.form.tallennakaikki();
  e.form.TalletaSelected();
  EXPECT_EQ(joined(e.form.allNames), "R2 C1 U1A R1");
  EXPECT_EQ(joined(e.form.selectedNames), "C1 R1");
}

TEST(NameTables, AnEmptyNameInTheMiddleEndsTheTableForEveryReader) {
  Engine e(design("R1 \"\" R3"));
  e.form.tallennakaikki();
  EXPECT_EQ(e.form.allNames.usedCount(), 1);
  EXPECT_EQ(e.form.allNames[2], "R3");
}

TEST(NameTables, TakeExactly10001ComponentsAndRefuseThe10002nd) {
  std::string parts;
  for (int i = 1; i <= 10001; ++i) parts += "R" + std::to_string(i) + "* ";
  Engine full(design(parts));
  full.form.tallennakaikki();
  full.form.TalletaSelected();
  EXPECT_EQ(full.form.allNames[10000], "R10001");
  EXPECT_EQ(full.form.selectedNames.usedCount(), 10001);
  full.form.tyhjenna();
  EXPECT_TRUE(full.form.allNames.empty());
  EXPECT_EQ(full.form.allNames[10000], "");

  Engine over(design(parts + "R10002*"));
  EXPECT_THROW(over.form.tallennakaikki(), Error);
  try {
    over.form.TalletaSelected();
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.number(), 9);
  }
}

TEST(NameTables, TalletaSelectedNeedsAtLeastOneComponent) {
  Engine e(design(""));
  try {
    e.form.TalletaSelected();
    FAIL();
  } catch (const Error& error) {
    EXPECT_EQ(error.number(), errors::kNoDesign);
  }
}

TEST(CheckAll, FindsNamesInUseIncludingTheComponentsOwn) {
  Engine e(design("R1 R2"));
  EXPECT_TRUE(e.form.CheckAll("R1"));
  EXPECT_FALSE(e.form.CheckAll("R3"));
  EXPECT_FALSE(e.form.CheckAll("r1"));
  e.host->ActiveDocument()->Components()->Item(1)->setName("R3");
  EXPECT_TRUE(e.form.CheckAll("R3"));
  EXPECT_FALSE(e.form.CheckAll("R1"));
}

TEST(HowManySelected, CountsEveryPositionIncludingTheLast) {
  EXPECT_EQ(Engine(design("R1 R2 R3*")).form.HowManySelected(), 1);
  EXPECT_EQ(Engine(design("R1*")).form.HowManySelected(), 1);
  EXPECT_EQ(Engine(design("R1* R2 R3*")).form.HowManySelected(), 2);
  EXPECT_EQ(Engine(design("R1 R2")).form.HowManySelected(), 0);
  EXPECT_EQ(Engine(design("")).form.HowManySelected(), 0);
}

TEST(HowManySelected, UsesTheCurrentScopeWhateverTheScopeCount) {
  Engine e(design("R1* R2*", /*scopes=*/3));
  e.host->resetCounts();
  EXPECT_EQ(e.form.HowManySelected(), 2);
  EXPECT_EQ(e.host->callsByOperation().count("Document.Components"), 0u);
  EXPECT_EQ(e.host->callsByOperation().at("Scope.Components"), 1);
}

TEST(Tyhjenna, ResetsCountersAndTablesButKeepsSortedRowsAndHostObjects) {
  Engine e(design("R1* TP"));
  auto& f = e.form;
  f.tallennakaikki();
  f.TalletaSelected();
  f.ignoredNames.set(0, "TP");
  f.TallennaMuuttamaton("R1");
  f.TallennaMuutettu("R9");
  f.ecoMemory.insert("R9");
  f.sortedNames[0] = {"R1", "10", "0"};
  f.position = 5;
  f.numberOffset = 3;
  f.selectedDone = 2;
  f.ignoredCount = 1;
  f.noNumber = true;
  f.currentName = "R1";
  f.tyhjenna();
  EXPECT_EQ(f.position, 1);
  EXPECT_EQ(f.numberOffset + f.selectedDone + f.ignoredCount + f.oldCount + f.newCount, 0);
  EXPECT_TRUE(f.allNames.empty() && f.selectedNames.empty() && f.ignoredNames.empty());
  EXPECT_TRUE(f.oldNames.empty() && f.newNames.empty() && f.ecoMemory.empty());
  EXPECT_EQ(f.sortedNames[0].name, "R1");
  EXPECT_TRUE(f.noNumber);
  EXPECT_EQ(f.currentName, "R1");
  EXPECT_FALSE(f.partList.empty());
}

TEST(ComponentList, ComesFromTheDocumentOnlyWhenItHasSeveralScopes) {
  for (int scopes : {0, 1, 2}) {
    Engine e(design("R1", scopes));
    e.host->resetCounts();
    e.form.chooseComponentList();
    EXPECT_EQ(e.host->callsByOperation().count("Document.Components"), scopes > 1 ? 1u : 0u)
        << scopes;
  }
}

TEST(Progress, RangeFollowsTheModeAndTheStepStopsAtTheMaximum) {
  Engine e(design("R1* R2* R3* R4* R5*"));
  e.options.selected = true;
  e.form.AlustaProgressBar();
  EXPECT_EQ(e.progress.maximum, 4);
  e.options.selected = false;
  e.options.all = true;
  e.form.AlustaProgressBar();
  EXPECT_EQ(e.progress.maximum, 4);
  for (int i = 0; i < 9; ++i) e.form.progressStep();
  EXPECT_EQ(e.progress.current, 4);
  e.form.progressReset();
  EXPECT_EQ(e.progress.current, 0);

  Engine one(design("R1*"));
  one.options.selected = true;
  one.form.AlustaProgressBar();
  EXPECT_EQ(one.progress.maximum, 1);
}

}  // namespace
}  // namespace varnel
