// The renumbering run, end to end on the in-memory host.
#include <gtest/gtest.h>

#include <set>

#include "fixtures.h"

namespace varnel {
namespace {

using tests::design;
using tests::Engine;
using tests::words;

void expectUnique(const std::vector<std::string>& names) {
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
}

// --- Rename all components ------------------------------------------------

TEST(AllComponents, NumbersInListOrderMovingConflictsAsideAndSkippingAlphabetic) {
  Engine e(design("U5 U9 U1A U7"));
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.names(), words("U1 U2 U1A U4"));
  EXPECT_EQ(tests::pairs(e.last), words("U5>U11 U11>U1 U9>U2 U7>U4"));
  EXPECT_EQ(e.last.ignored, words("U1A"));
  EXPECT_EQ(e.report.shown,
            "Alpha Reference \r\nDesignators Ignored:\r\n-----------------------------------\r\n"
            "U1A\r\n");
}

TEST(AllComponents, RestartsTheCountAtEveryPrefixChange) {
  Engine e(design("R9 R8 C7 C6 R5"));
  e.options.start = "3";
  ASSERT_FALSE(e.runAll());
  // R5 is the first of a new R stretch: R3 is taken, so it gets the next free R.
  EXPECT_EQ(e.names(), words("R3 R4 C3 C4 R5"));
}

TEST(AllComponents, NeverGivesANameInUseWhenAPrefixIsNotAdjacent) {
  Engine e(design("C1 R1 C2"));
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.names(), words("C1 R1 C2"));
  expectUnique(e.names());
}

TEST(AllComponents, MovesAsideSafelyWithAStartNumberBelowOne) {
  Engine e(design("R1 R2 R3"));
  e.options.start = "-1";
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.names(), words("R-1 R0 R1"));
  EXPECT_EQ(tests::pairs(e.last)[0], "R1>R4") << "R3 was in use, so the next free number";
  expectUnique(e.names());
}

TEST(AllComponents, HandlesAFullDesignOf10001ComponentsThatAllMove) {
  std::string parts;
  for (int i = 1; i <= 10001; ++i) parts += "R" + std::to_string(10002 - i) + " ";
  Engine e(design(parts));
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.last.oldNames.size(), 20002u);
  EXPECT_EQ(e.names().front(), "R1");
  EXPECT_EQ(e.names().back(), "R10001");
  EXPECT_EQ(e.progress.current, 0);
}

// More components than 16 bits count: each prefix moves aside by its own
// count once the shared one would pass 32767, and numbers from 1.
TEST(AllComponents, RenumbersADesignOfMoreComponentsThanSixteenBitsCount) {
  const char* const prefixes[] = {"R", "C", "U", "L"};
  std::string parts;
  for (const char* prefix : prefixes)
    for (int i = 1; i <= 10000; ++i) parts += prefix + std::to_string(10001 - i) + " ";
  Engine e(design(parts));
  ASSERT_FALSE(e.runAll());
  const auto names = e.names();
  ASSERT_EQ(names.size(), 40000u);
  for (int k = 0; k < 40000; ++k)
    ASSERT_EQ(names[k], prefixes[k / 10000] + std::to_string(k % 10000 + 1)) << k;
  EXPECT_EQ(e.last.oldNames.size(), 80000u) << "each moved aside, then numbered";
  EXPECT_EQ(std::set<std::string>(e.last.newNames.begin(), e.last.newNames.begin() + 40000).size(),
            40000u)
      << "no two temporary names alike";
  // One prefix of more components than its temporary numbers can hold is refused.
  std::string large;
  for (int i = 1; i <= 20000; ++i) large += "R" + std::to_string(i) + " ";
  Engine over(design(large));
  const auto error = over.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), base::errors::kOverflow);
  EXPECT_TRUE(over.host->renames().empty());
}

TEST(AllComponents, RefusesANumberPast16BitsBeforeAnyRename) {
  Engine e(design("R1 R2"));
  e.options.start = "32767";
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), 6);
  EXPECT_NE(error->text().find("Nothing was renamed."), std::string::npos);
  EXPECT_TRUE(e.host->renames().empty());
}

TEST(AllComponents, LeavesAComponentWithoutADesignatorAlone) {
  Engine e(design("R1 \"\" R3"));
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.names(), (std::vector<std::string>{"R1", "", "R2"}));
}

// Temporary numbers above the highest in use would pass 32767: free numbers
// above the run's own range serve, and keeping right names needs none.
TEST(AllComponents, RenamesADesignNumberedUpTo32767) {
  std::string parts;
  for (int n = 32700; n <= 32767; ++n) parts += "R" + std::to_string(n) + " ";
  for (bool keepRight : {false, true}) {
    Engine e(design(parts));
    e.options.rules.keepRight = keepRight;
    const auto error = e.runAll();
    ASSERT_FALSE(error) << base::describe(*error);
    std::vector<std::string> wanted;
    for (int n = 1; n <= 68; ++n) wanted.push_back("R" + std::to_string(n));
    EXPECT_EQ(e.names(), wanted);
    EXPECT_EQ(e.outcome.log.size(), 68u) << "one rename each, nothing moved aside";
  }
  // A ring (R1 and R2 swap) beside R32767: its temporary is the first
  // number nothing bears and no final name uses.
  Engine ring(design("R2 R1 R32767"));
  ring.options.rules.keepRight = true;
  ASSERT_FALSE(ring.runAll());
  EXPECT_EQ(ring.names(), words("R1 R2 R3"));
  EXPECT_EQ(tests::pairs(ring.last), words("R32767>R3 R2>R4 R1>R2 R4>R1"));
}

TEST(AllComponents, ProgressClimbsOncePerStepAndIsResetAtTheEnd) {
  Engine e(design("R1 R2 R3 R4"));
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.progress.maximum, 3);
  EXPECT_EQ(e.progress.repaints, 4) << "three steps up (the fourth stops at the maximum) and reset";
  EXPECT_EQ(e.progress.current, 0);
}

// --- Rename selected components -------------------------------------------

TEST(SelectedComponents, AssignNumbersInPlacementOrderRestartingPerPrefix) {
  Engine e(design("C4@0,0* C2@10,0* R7@0,0*"));
  e.options.start = "10";
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(e.names(), words("C10 C11 R10"));
  EXPECT_EQ(tests::pairs(e.last), words("C4>C10 C2>C11 R7>R10"));
}

// Nothing to rename: no file is asked for and none written (an empty ECO
// file is of no use to the layout), but the run still does its closing work.
TEST(SelectedComponents, NothingSelectedAsksForNoFileButStillDoesTheClosingWork) {
  Engine e(design("R1 R2 TP"));
  e.options.send = true;
  e.options.ecoOnly = true;
  e.options.direct = false;
  e.dialog.answer = "/out/empty.eco";
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(e.dialog.asked, 0);
  EXPECT_FALSE(e.files.files.count("/out/empty.eco"));
  EXPECT_EQ(e.last.runs, 1);
  EXPECT_EQ(e.progress.value(), 0);

  e.options.ecoOnly = false;
  e.options.direct = true;  // and PowerPCB need not be running
  ASSERT_FALSE(e.runSelected());
  EXPECT_TRUE(e.files.files.empty());
}

TEST(SelectedComponents, AComponentBearingItsWantedNameKeepsItUnderAssign) {
  Engine e(design("R1*"));
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(e.names(), words("R1"));
  EXPECT_TRUE(tests::pairs(e.last).empty());
}

TEST(SelectedComponents, AssignTakesAFreeNameWhenTheNextOneIsTakenElsewhere) {
  // R1 is in use, the next free name is R3, which a component further on bears.
  Engine e(design("R1 R2 C1 R3 R5*"));
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(e.names(), words("R1 R2 C1 R3 R4"));
}

TEST(SelectedComponents, DuplicatesMoveTheHolderFirst) {
  Engine e(design("R1 R2*"));
  e.options.duplicate = true;
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(tests::pairs(e.last), words("R1>R3 R2>R1"));
}

TEST(SelectedComponents, DuplicatesLeaveAnAlreadyNumberedSelectionAlone) {
  Engine e(design("R1@0,0* R2@10,0* R3@20,0*"));
  e.options.duplicate = true;
  ASSERT_FALSE(e.runSelected());
  EXPECT_TRUE(tests::pairs(e.last).empty());
}

TEST(SelectedComponents, DuplicatesNeverMoveTheHolderToTheNameItMustLeave) {
  // The next free name for R2 in C1 R3 R2 is R2 itself; the holder must get R4.
  Engine e(design("C1 R3 R2 R9*"));
  e.options.duplicate = true;
  e.options.start = "2";
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(e.names(), words("C1 R3 R4 R2"));
}

TEST(SelectedComponents, AMovedHolderStillToBeVisitedIsVisitedAsItself) {
  Engine e(design("R2@0,0* R1@10,0*"));
  e.options.duplicate = true;
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(tests::pairs(e.last), words("R1>R3 R2>R1 R3>R2"));
  EXPECT_EQ(e.names(), words("R1 R2"));
}

TEST(SelectedComponents, ADesignatorWithoutCapitalLettersIsLeftAloneNotMadeABareNumber) {
  Engine e(design("R5* r12*"));
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(e.names(), words("R1 r12"));
}

TEST(SelectedComponents, AreRefusedBeforeAnyRenameWhenTheCountWouldOverflow) {
  Engine e(design("R1@0,0* R2@10,0*"));
  e.options.start = "32767";
  const auto error = e.runSelected();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), 6);
  EXPECT_EQ(e.names(), words("R1 R2"));
}

TEST(SelectedComponents, AlphabeticOnesUseUpANumberAndAreReported) {
  Engine e(design("U3@0,0* U1A@10,0* U8@20,0*"));
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(e.names(), words("U1 U1A U3"));
  EXPECT_EQ(e.last.ignored, words("U1A"));
}

TEST(SelectedComponents, AFullSelectionOf10001Completes) {
  std::string parts;
  for (int i = 1; i <= 10001; ++i)
    parts += "R" + std::to_string(i + 1) + "@" + std::to_string(i) + ",0* ";
  Engine e(design(parts));
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(e.names().front(), "R1");
  EXPECT_EQ(e.names().back(), "R10001");
}

// --- Failures in mid-run ------------------------------------------------------

TEST(HostFailure, StopsTheRunButTheRenamesMadeReachTheEcoFile) {
  Engine e(design("R5 R6 R7"));
  e.options.send = true;
  e.options.ecoOnly = true;
  e.options.direct = false;
  e.dialog.answer = "/out/run.eco";
  // Reading the design and the dry run take the first calls; fail in the renames.
  e.host->failCall(16, base::Error(0x800706BA, "The RPC server is unavailable"));
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(error->number(), 0x800706BA);
  ASSERT_FALSE(e.host->renames().empty());
  std::string records;
  for (const auto& r : e.host->renames()) records += r.from + " " + r.to + "\r\n";
  const std::string& file = e.files.files.at("/out/run.eco");
  EXPECT_NE(file.find(records.substr(0, records.find("\r\n") + 2)), std::string::npos);
  EXPECT_EQ(e.last.oldNames.size(), e.host->renames().size());
  // And the window can run again.
  ASSERT_FALSE(e.runAll());
  EXPECT_EQ(e.names(), words("R1 R2 R3"));
}

TEST(HostFailure, BeforeTheFirstRenameChangesNothing) {
  Engine e(design("R5 R6 R7"));
  e.host->failCall(3, base::Error(0x800706BA, "gone"));
  const auto error = e.runAll();
  ASSERT_TRUE(error);
  EXPECT_EQ(e.names(), words("R5 R6 R7"));
  EXPECT_EQ(e.last.runs, 0);
}

}  // namespace
}  // namespace varnel
