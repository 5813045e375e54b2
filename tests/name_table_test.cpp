#include "model/name_table.h"
#include "model/placement_table.h"

#include <gtest/gtest.h>

#include <utility>

#include "base/error.h"

namespace varnel {
namespace {

TEST(NameTable, TheFirstEmptyEntryEndsTheUsedPart) {
  model::NameTable table;
  EXPECT_TRUE(table.empty());
  table.set(0, "R1");
  table.set(1, "R2");
  table.set(3, "R4");  // behind a gap: not part of the table
  EXPECT_EQ(table.usedCount(), 2);
  table.clear();
  EXPECT_TRUE(table.empty());
  EXPECT_EQ(table[3], "R4") << "clearing stops at the first empty entry";
}

TEST(NameTable, HoldsExactly10001EntriesAndClearsAFullTable) {
  model::NameTable table;
  for (int i = 0; i <= 10000; ++i) table.set(i, "N" + std::to_string(i));
  EXPECT_EQ(table.usedCount(), 10001);
  EXPECT_EQ(table[10000], "N10000");
  table.clear();
  EXPECT_EQ(table.usedCount(), 0);
  EXPECT_EQ(table[10000], "");
}

TEST(NameTable, GrowsAsEntriesAreSetAndANegativeIndexIsSubscriptOutOfRange) {
  model::NameTable table;
  table.set(40000, "X");
  EXPECT_EQ(table[40000], "X");
  EXPECT_EQ(table[90000], "") << "past the entries set is the end mark";
  try {
    table.set(-1, "X");
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), 9);
    EXPECT_EQ(e.text(), "Subscript out of range");
  }
  EXPECT_THROW(table[-1], base::Error);
  model::PlacementTable rows;
  rows[50000].name = "R1";
  EXPECT_EQ(std::as_const(rows)[50000].name, "R1");
  EXPECT_EQ(std::as_const(rows)[50001].name, "");
  EXPECT_THROW(rows[-1], base::Error);
}

TEST(ErrorNumbers, PrintSmallNumbersInDecimalAndHresultsInHex) {
  EXPECT_EQ(base::describe(base::errors::overflow()), "error 6: Overflow");
  EXPECT_EQ(base::describe(base::Error(base::errors::kNoDesign, "No design")),
            "error 0x80040202: No design");
  EXPECT_EQ(base::formatErrorNumber(429), "429");
}

}  // namespace
}  // namespace varnel
