// The run's name tables, the names in use and the progress range, filled
// from the design a run read.
#include <gtest/gtest.h>

#include "fixtures.h"
#include "renumber/plan_renumbering.h"
#include "renumber/planning.h"

namespace varnel {
namespace {

using tests::design;
using tests::Engine;

std::string joined(const model::NameTable& table) {
  std::string out;
  for (int i = 0; i < table.usedCount(); ++i) out += (i ? " " : "") + table[i];
  return out;
}

renumber::RunSettings selectedRun() {
  renumber::RunSettings settings;
  settings.scope = renumber::RunScope::selectedComponents;
  return settings;
}

TEST(NameTables, FillAllAndSelectedNamesInListOrder) {
  renumber::Planning p(design("R2 C1* U1A R1*"), renumber::RunSettings{});
  p.storeAllNames();
  p.storeSelectedNames();
  EXPECT_EQ(joined(p.allNames()), "R2 C1 U1A R1");
  EXPECT_EQ(joined(p.selectedNames()), "C1 R1");
}

TEST(NameTables, AnEmptyNameInTheMiddleEndsTheTableForEveryReader) {
  renumber::Planning p(design("R1 \"\" R3"), renumber::RunSettings{});
  p.storeAllNames();
  EXPECT_EQ(p.allNames().usedCount(), 1);
  EXPECT_EQ(p.allNames()[2], "R3");
}

TEST(NameTables, TakeAsManyComponentsAsTheDesignHas) {
  std::string parts;
  for (int i = 1; i <= 40000; ++i) parts += "R" + std::to_string(i % 30000 + 1) + "* ";
  renumber::Planning full(design(parts), renumber::RunSettings{});
  full.storeAllNames();
  full.storeSelectedNames();
  EXPECT_EQ(full.allNames().usedCount(), 40000);
  EXPECT_EQ(full.allNames()[39999], "R10001");
  EXPECT_EQ(full.selectedNames().usedCount(), 40000);
  EXPECT_EQ(full.countSelected(), 40000) << "past 16 bits";
}

TEST(NameTables, TheSelectedNamesNeedAtLeastOneComponent) {
  renumber::Planning p(design(""), renumber::RunSettings{});
  try {
    p.storeSelectedNames();
    FAIL();
  } catch (const base::Error& error) {
    EXPECT_EQ(error.number(), base::errors::kNoDesign);
  }
}

TEST(NamesInUse, AreFoundIncludingTheComponentsOwn) {
  model::WorkingDesign d(design("R1 R2"));
  EXPECT_TRUE(d.isInUse("R1"));
  EXPECT_FALSE(d.isInUse("R3"));
  EXPECT_FALSE(d.isInUse("r1"));
  d.rename(1, "R3");
  EXPECT_TRUE(d.isInUse("R3"));
  EXPECT_FALSE(d.isInUse("R1"));
  EXPECT_EQ(d.positionOf("R3"), 1);
}

TEST(NamesInUse, AreRefusedAsTheHostRefusesThem) {
  model::WorkingDesign d(design("R1 R2"));
  EXPECT_EQ(tests::failureOf([&] { d.rename(1, "R2"); }), base::errors::kDesignatorInUse);
  EXPECT_EQ(tests::failureOf([&] { d.rename(1, "R 3"); }), base::errors::kIllegalDesignator);
  EXPECT_EQ(tests::failureOf([&] { d.rename(1, ""); }), base::errors::kIllegalDesignator);
  EXPECT_FALSE(d.rename(1, "R1")) << "its own name changes nothing";
  EXPECT_EQ(tests::designators(d.design()), tests::words("R1 R2"));
}

TEST(CountSelected, CountsEveryPositionIncludingTheLast) {
  EXPECT_EQ(renumber::Planning(design("R1 R2 R3*"), {}).countSelected(), 1);
  EXPECT_EQ(renumber::Planning(design("R1*"), {}).countSelected(), 1);
  EXPECT_EQ(renumber::Planning(design("R1* R2 R3*"), {}).countSelected(), 2);
  EXPECT_EQ(renumber::Planning(design("R1 R2"), {}).countSelected(), 0);
  EXPECT_EQ(renumber::Planning(design(""), {}).countSelected(), 0);
  EXPECT_EQ(renumber::Planning(design("R1* R2*", /*scopes=*/3), {}).countSelected(), 2);
}

TEST(Session, ASecondRunStartsFromNothingTheFirstLeft) {
  Engine e(design("R5* TP R7*"));
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.last.ignored, tests::words("TP"));
  EXPECT_EQ(tests::pairs(e.last), tests::words("R5>R1 R7>R2"));
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.last.ignored, tests::words("TP")) << "not TP twice";
  EXPECT_EQ(tests::pairs(e.last), tests::words("R1>R4 R2>R5 R4>R1 R5>R2"));
  EXPECT_EQ(e.progress.current, 0);
}

TEST(ComponentList, ComesFromTheDocumentOnlyWhenItHasSeveralScopes) {
  for (int scopes : {0, 1, 2}) {
    Engine e(design("R1", scopes));
    e.host->resetCounts();
    ASSERT_FALSE(e.runAll());
    EXPECT_EQ(e.host->callsByOperation().count("Document.Components"), scopes > 1 ? 1u : 0u)
        << scopes;
  }
}

TEST(Progress, RangeFollowsTheMode) {
  auto maximum = [](const std::string& parts, const renumber::RunSettings& settings) {
    return renumber::Planning(design(parts), settings).progressRange()->maximum;
  };
  EXPECT_EQ(maximum("R1* R2* R3* R4* R5*", selectedRun()), 4);
  EXPECT_EQ(maximum("R1* R2* R3* R4* R5*", renumber::RunSettings{}), 4);
  EXPECT_EQ(maximum("R1* R2 R3", renumber::RunSettings{}), 2);
  EXPECT_EQ(maximum("R1*", selectedRun()), 1);
  EXPECT_EQ(maximum("R1 R2", selectedRun()), 1) << "none selected";
  EXPECT_FALSE(renumber::planRenumbering(design("R1 R2"), selectedRun()).progress)
      << "a run with nothing to do leaves the bar's range";
}

}  // namespace
}  // namespace varnel
