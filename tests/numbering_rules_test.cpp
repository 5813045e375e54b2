// The numbering rules: what the designer types, what each rule keeps, and
// the runs they make.
#include <gtest/gtest.h>

#include "app/preview.h"
#include "fixtures.h"
#include "renumber/numbering_rules_text.h"
#include "renumber/plan_renumbering.h"

namespace varnel {
namespace {

using tests::design;
using tests::words;

std::string refusalOf(const renumber::RulesTexts& texts) {
  try {
    renumber::parseRules(texts);
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), base::errors::kNumberingRule);
    return e.text();
  }
  return "";
}

TEST(NumberingRulesText, EachFieldReadsWhatItsTextWrites) {
  const renumber::RulesTexts typed{true, "J1-J8, TP*  U100", "R C R", "TP=900 R=100 C=-5"};
  const renumber::NumberingRules parsed = renumber::parseRules(typed);
  ASSERT_EQ(parsed.locked.size(), 3u);
  EXPECT_EQ(parsed.locked[0], (renumber::LockEntry{renumber::LockEntry::Kind::range, "J", 1, 8}));
  EXPECT_EQ(parsed.onlyPrefixes, (std::vector<std::string>{"R", "C"}));
  EXPECT_EQ(parsed.startFor.at("C"), -5);
  const renumber::RulesTexts written = renumber::textsOf(parsed);
  EXPECT_EQ(written, (renumber::RulesTexts{true, "J1-J8 TP* U100", "R C", "C=-5 R=100 TP=900"}));
  EXPECT_EQ(renumber::parseRules(written), parsed);
  EXPECT_EQ(renumber::rulesOptionText(parsed),
            " --keep-right --lock \"J1-J8 TP* U100\" --only \"R C\" --start-for "
            "\"C=-5 R=100 TP=900\"");
  EXPECT_EQ(renumber::rulesOptionText({}), "");
}

TEST(NumberingRulesText, AnEntryNotUnderstoodIsNamedWithItsField) {
  const std::pair<renumber::RulesTexts, std::string> cases[] = {
      {{false, "J8-J1", "", ""}, "Locked designators: \"J8-J1\" runs backwards"},
      {{false, "J1-K8", "", ""}, "Locked designators: \"J1-K8\" joins two prefixes"},
      {{false, "J1-J99999", "", ""}, "\"J1-J99999\" has a number above 32767"},
      {{false, "T*P", "", ""}, "\"T*P\" is not a designator"},
      {{false, "tp*", "", ""}, "\"tp*\" is not a prefix pattern"},
      {{false, "J1-", "", ""}, "\"J1-\" is not a range"},
      {{false, "", "R r", ""}, "Only these prefixes: \"r\" is not a prefix"},
      {{false, "", "R1", ""}, "\"R1\" is not a prefix"},
      {{false, "", "", "R=0"}, "Start number per prefix: \"R=0\" needs a whole number"},
      {{false, "", "", "R100"}, "\"R100\" is not a prefix and its start"},
      {{false, "", "", "R=1 R=2"}, "\"R=2\" gives R a second start"},
      {{false, "", "", "R=40000"}, "\"R=40000\" needs a whole number"}};
  for (const auto& [texts, refusal] : cases)
    EXPECT_NE(refusalOf(texts).find(refusal), std::string::npos) << refusalOf(texts);
}

TEST(NumberingRulesText, ThePlacementOrderReadsWhatItWritesAndNamesAWordItCannotRead) {
  renumber::RulesTexts typed;
  typed.order = "rows-first";
  typed.down = "bottom-to-top";
  typed.grid = " 2.5 ";
  const renumber::NumberingRules parsed = renumber::parseRules(typed);
  EXPECT_EQ(parsed.placement,
            (renumber::PlacementSettings{renumber::Lines::rowsFirst, renumber::Across::leftToRight,
                                         renumber::Down::bottomToTop, 2.5}));
  EXPECT_EQ(renumber::textsOf(parsed).grid, "2.5");
  EXPECT_EQ(renumber::parseRules(renumber::textsOf(parsed)), parsed);
  EXPECT_EQ(renumber::placementOptionText(parsed.placement),
            " --order rows-first --down bottom-to-top --grid 2.5");
  EXPECT_EQ(renumber::placementOptionText({}), "");
  EXPECT_EQ(renumber::parseGrid(""), 0);
  for (const char* grid : {"-5", "1e3", "abc", "2000000", "1.2.3", "."})
    EXPECT_NE(refusalOf([&] {
                renumber::RulesTexts t;
                t.grid = grid;
                return t;
              }())
                  .find("Grid: \"" + std::string(grid) + "\" is not a number from 0 to 1000000"),
              std::string::npos)
        << grid;
  renumber::RulesTexts wrong;
  wrong.across = "Left to right";  // the window's words are not the option's
  EXPECT_EQ(refusalOf(wrong),
            "Across: \"Left to right\" is not one of left-to-right or right-to-left.");
}

TEST(NumberingRules, EachRuleHoldsWhatItNames) {
  const renumber::NumberingRules rules = renumber::parseRules({false, "J1-J8 TP* U100", "", ""});
  for (const char* held : {"J1", "J8", "TP", "TP12", "U100"}) EXPECT_TRUE(rules.holds(held));
  for (const char* free : {"J0", "J9", "J05", "J3A", "TPX1", "U10", "U1000"})
    EXPECT_FALSE(rules.holds(free)) << free;
  const renumber::NumberingRules only = renumber::parseRules({false, "", "R C", ""});
  EXPECT_FALSE(only.holds("R7"));
  EXPECT_TRUE(only.holds("U7"));
  EXPECT_TRUE(only.holds("12"));  // no prefix: not among those named
}

struct RuledRun {
  tests::Engine e;
  explicit RuledRun(const std::string& parts, const renumber::RulesTexts& texts)
      : e(design(parts)) {
    e.options.rules = renumber::parseRules(texts);
  }
};

TEST(NumberingRules, ALockedComponentKeepsItsNameAndTheCountGoesPastIt) {
  RuledRun r("R7 R9 R3 R5", {false, "R3", "", ""});
  EXPECT_FALSE(r.e.runAll());
  EXPECT_EQ(r.e.names(), words("R1 R2 R3 R4"));
  // A selected run too, and the lock reaches names no component bears yet.
  RuledRun s("R7* R9* R5*", {false, "R2-R3", "", ""});
  EXPECT_FALSE(s.e.runSelected());
  EXPECT_EQ(s.e.names(), words("R1 R4 R5"));
}

TEST(NumberingRules, OnlyThesePrefixesAndAStartOfTheirOwn) {
  RuledRun r("C4 R8 U9 R2 C7", {false, "", "R C", "R=100"});
  EXPECT_FALSE(r.e.runAll());
  EXPECT_EQ(r.e.names(), words("C1 R100 U9 R101 C2"));
  RuledRun far("R1 R2", {false, "", "", "R=32767"});
  EXPECT_EQ(far.e.runAll()->number(), base::errors::kOverflow);
  EXPECT_EQ(far.e.names(), words("R1 R2"));
}

TEST(NumberingRules, KeepingRightNamesRenamesOnlyWhatChanges) {
  // Already numbered: nothing renamed, and only the reads asked of the host.
  RuledRun right("C1 C2 R1 R2 R3", {true, "", "", ""});
  EXPECT_FALSE(right.e.runAll());
  EXPECT_TRUE(right.e.outcome.log.empty());
  // A chain needs no temporary number; a swap needs one.
  RuledRun chain("R2 R3 R5", {true, "", "", ""});
  EXPECT_FALSE(chain.e.runAll());
  EXPECT_EQ(chain.e.names(), words("R1 R2 R3"));
  EXPECT_EQ(chain.e.last.oldNames, words("R2 R3 R5"));
  RuledRun swap("R2 R1", {true, "", "", ""});
  EXPECT_FALSE(swap.e.runAll());
  EXPECT_EQ(swap.e.names(), words("R1 R2"));
  EXPECT_EQ(swap.e.last.newNames, words("R3 R2 R1"));
}

TEST(NumberingRules, ThePreviewSaysTheRulesOrWhatKeepingRightWouldSave) {
  const auto snapshot = [](const std::string& parts) {
    model::DesignSnapshot s;
    for (const auto& part : design(parts).parts) s.parts.push_back({part.designator});
    return s;
  };
  renumber::RunSettings settings;
  const model::DesignSnapshot numbered = snapshot("R1 R2 R3 R9");
  const renumber::RenumberPlan plan = planRenumbering(numbered, settings);
  EXPECT_EQ(app::rulesLine(numbered, plan, settings.rules),
            "Keeping names that are already right would save " +
                std::to_string(plan.renames.size() - 1) + " renames.");
  settings.rules = renumber::parseRules({true, "R9", "R", "R=1"});
  settings.rules.lockedForRun = {"R2"};
  const app::Preview preview = app::previewOf(
      numbered, renumber::planRenumbering(numbered, settings), "Preview", &settings.rules);
  EXPECT_EQ(preview.rules,
            "Rules: names already right kept; locked R9; only R; starting at R=1; 1 row unchecked");
  ASSERT_FALSE(preview.rows.empty());
  EXPECT_EQ(preview.rows.back().check, app::PreviewRow::Check::unchecked);
  EXPECT_EQ(preview.rows.back().component, "R2");
}

TEST(NumberingRules, ThePreviewOfASelectedRunSaysAnOrderOtherThanTheDefault) {
  model::DesignSnapshot board;
  for (const char* name : {"R1", "R2"}) board.parts.push_back({name, 0, 0, true});
  renumber::RunSettings settings;
  settings.scope = renumber::RunScope::selectedComponents;
  settings.rules.placement = {renumber::Lines::rowsFirst, renumber::Across::rightToLeft,
                              renumber::Down::topToBottom, 25};
  EXPECT_EQ(app::rulesLine(board, renumber::planRenumbering(board, settings), settings.rules),
            "Rules: in order rows first, right to left, top to bottom; grid 25");
  settings.scope = renumber::RunScope::allComponents;
  EXPECT_EQ(app::rulesLine(board, renumber::planRenumbering(board, settings), settings.rules)
                .find("in order"),
            std::string::npos);
}

}  // namespace
}  // namespace varnel
