// The change log: what the design underwent, in order, and nothing else.
#include <gtest/gtest.h>

#include "fixtures.h"

namespace varnel {
namespace {

using tests::design;
using tests::Engine;

TEST(ChangeLog, RecordsRenamesInOrderAndListsThem) {
  eco::ChangeLog log;
  log.record(2, "R3", "R101");
  log.record(2, "R101", "R101");  // the same name back
  ASSERT_EQ(log.size(), 2u);
  EXPECT_EQ(log.entries()[0], (model::Rename{2, "R3", "R101"}));
  EXPECT_EQ(log.listing(), "R3 R101\nR101 R101\n");
  EXPECT_EQ(log.listing("\r\n"), "R3 R101\r\nR101 R101\r\n");
}

TEST(ChangeLog, HasNoFixedCapacity) {
  eco::ChangeLog log;
  for (int i = 0; i < 20002; ++i)
    log.record(1, "R" + std::to_string(i), "R" + std::to_string(i + 1));
  EXPECT_EQ(log.size(), 20002u);
  EXPECT_EQ(log.entries()[20001].from, "R20001");
}

// A run of one rename (R5 to R1) whose k-th host call from its start fails.
void runFailingAt(Engine& e, std::int64_t k) {
  e.host->resetCounts();
  e.host->failCall(k, base::Error(0x80004005, "Unspecified error"));
  e.runAll();
}

std::int64_t callsOfTheWholeRun() {
  Engine e(design("R5"));
  e.host->resetCounts();
  EXPECT_FALSE(e.runAll());
  return e.host->totalCalls();  // the last two: the rename and reading its name back
}

TEST(ChangeLog, ARefusedRenameLeavesNoHalfPair) {
  Engine e(design("R5"));
  runFailingAt(e, callsOfTheWholeRun() - 1);
  ASSERT_TRUE(e.outcome.error);
  EXPECT_TRUE(e.host->renames().empty());
  EXPECT_TRUE(e.outcome.log.empty());
}

TEST(ChangeLog, ARenameWhoseReadBackFailsIsStillLogged) {
  Engine e(design("R5"));
  runFailingAt(e, callsOfTheWholeRun());
  ASSERT_TRUE(e.outcome.error);
  EXPECT_EQ(e.names(), tests::words("R1"));
  ASSERT_EQ(e.outcome.log.size(), 1u);
  EXPECT_EQ(e.outcome.log.entries()[0], (model::Rename{1, "R5", "R1"}));
}

}  // namespace
}  // namespace varnel
