// Designs that give one designator to several components, as an imported
// schematic or a multi-gate part copied with its reference does: every mode
// works by component, and what the board or an undo could not follow is
// refused before any rename.
#include <gtest/gtest.h>

#include "fixtures.h"
#include "renumber/plan_undo.h"

namespace varnel {
namespace {

using tests::design;
using tests::Engine;
using tests::words;

// A quad buffer whose four gates all came in as U2; the one at X 0 is selected.
constexpr const char* kQuadBuffer = "R1 U2@50,0 U2@0,0* U2@30,0 U2@20,0 C1";

TEST(SharedDesignators, EveryModeRenamesTheComponentItMeans) {
  Engine all(design(kQuadBuffer));
  ASSERT_FALSE(all.runAll());
  EXPECT_EQ(all.names(), words("R1 U1 U2 U3 U4 C1")) << "each gets a name of its own";

  Engine selected(design(kQuadBuffer));
  ASSERT_FALSE(selected.runSelected());
  EXPECT_EQ(selected.names(), words("R1 U2 U1 U2 U2 C1")) << "the selected one, not the first U2";

  // Its wanted name is its own, but not its alone.
  Engine assign(design(kQuadBuffer));
  assign.options.start = "2";
  ASSERT_FALSE(assign.runSelected());
  EXPECT_EQ(assign.names(), words("R1 U2 U3 U2 U2 C1"));

  Engine duplicates(design(kQuadBuffer));
  duplicates.options.start = "2";
  duplicates.options.duplicate = true;
  ASSERT_FALSE(duplicates.runSelected());
  EXPECT_EQ(duplicates.names(), words("R1 U3 U2 U4 U5 C1")) << "every other bearer moves";
}

TEST(SharedDesignators, PlacementOrderTakesEachComponentsOwnPosition) {
  Engine e(design("U2@50,0* U2@0,0* U2@20,0*"));
  e.options.duplicate = true;
  ASSERT_FALSE(e.runSelected());
  EXPECT_EQ(e.names(), words("U3 U1 U2")) << "left to right";
  EXPECT_EQ(e.outcome.log.entries().front().position, 2);
}

TEST(SharedDesignators, AnEcoRunThatWouldRenameOneIsRefusedBeforeAnyRename) {
  for (const bool forceRead : {false, true}) {
    Engine e(design(kQuadBuffer));
    e.options.send = true;
    e.options.ecoOnly = !forceRead;
    e.dialog.answer = "/jobs/board.eco";
    const auto error = e.runAll();
    ASSERT_TRUE(error);
    EXPECT_EQ(error->number(), base::errors::kSharedDesignator);
    EXPECT_EQ(error->text(),
              "U2 is borne by 4 components; an ECO file could not tell PowerPCB which of "
              "them the run renames. Give each its own designator in PowerLogic first, or "
              "run without an ECO file. Nothing was renamed.");
    EXPECT_EQ(e.names(), words("R1 U2 U2 U2 U2 C1"));
    EXPECT_EQ(e.dialog.asked, 0);
  }
  // A run that leaves the shared designator alone goes on.
  Engine other(design("R1 U2 U2 C5*"));
  other.options.send = true;
  other.options.ecoOnly = true;
  other.dialog.answer = "/jobs/board.eco";
  ASSERT_FALSE(other.runSelected());
  EXPECT_EQ(other.names(), words("R1 U2 U2 C1"));
}

TEST(SharedDesignators, ARunThatSeparatedThemCannotBeTakenBack) {
  const std::vector<model::Rename> run{{2, "U2", "U1"}, {3, "U2", "U3"}, {1, "R5", "R1"}};
  try {
    renumber::planUndo(design("R1 U1 U3"), run);
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), base::errors::kSharedDesignator);
    EXPECT_EQ(e.text(),
              "Before that run U2 was borne by 2 components; PowerLogic gives a designator "
              "to one component only, so the run cannot be taken back. Nothing was renamed.");
  }
  // A component moved through a temporary name is one bearer, not two.
  EXPECT_EQ(renumber::planUndo(design("U1 U2"), {{1, "U2", "U9"}, {2, "U1", "U2"}, {1, "U9", "U1"}})
                .renames.size(),
            3u);
}

}  // namespace
}  // namespace varnel
