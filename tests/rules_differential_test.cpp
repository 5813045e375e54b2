// The numbering rules planned equal the rules run straight on the host, over
// generated designs and option sets; names already right kept change nothing
// of where the run ends, only how it gets there.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "eco/eco_file.h"
#include "fixtures.h"
#include "plain_keep_right.h"
#include "plain_renumbering.h"

namespace varnel {
namespace {

const char* const kPrefixes[] = {"R", "C", "U", "TP", "J"};

standin::DesignData generatedDesign(std::mt19937& random, int size, bool numbered) {
  standin::DesignData design{"rules.sch", 1, {}};
  std::set<std::string> used;
  std::map<std::string, int> next;
  while (static_cast<int>(design.parts.size()) < size) {
    const std::string prefix = kPrefixes[random() % 5];
    // An already-numbered board: each prefix counted from 1, in list order.
    std::string name = prefix + std::to_string(numbered ? ++next[prefix]
                                                        : static_cast<int>(random() % (size * 2)));
    if (!numbered && random() % 11 == 0) name += "A";
    if (!used.insert(name).second) continue;
    // Parts a few units off a 100 grid, some left of and below the origin.
    const double x = (static_cast<int>(random() % 5) - 1) * 100.0 + random() % 3 * 3;
    const double y = (static_cast<int>(random() % 4) - 1) * 100.0 + random() % 3 * 3;
    design.parts.push_back({name, x, y, random() % 3 == 0});
  }
  if (numbered)  // the list in prefix order, as a numbered board usually comes
    std::stable_sort(design.parts.begin(), design.parts.end(), [](const auto& a, const auto& b) {
      return model::designator::prefix(a.designator) < model::designator::prefix(b.designator);
    });
  return design;
}

renumber::NumberingRules generatedRules(std::mt19937& random, const standin::DesignData& design) {
  renumber::NumberingRules rules;
  rules.keepRight = random() % 2 == 0;
  const auto someName = [&] { return design.parts[random() % design.parts.size()].designator; };
  for (int k = static_cast<int>(random() % 3); k > 0; --k) {
    const int kind = static_cast<int>(random() % 3);
    const std::string prefix = kPrefixes[random() % 5];
    const base::Int16 low = static_cast<base::Int16>(random() % 6);
    if (kind == 0) rules.locked.push_back({renumber::LockEntry::Kind::name, someName()});
    if (kind == 1)
      rules.locked.push_back({renumber::LockEntry::Kind::range, prefix, low, base::Int16(low + 3)});
    if (kind == 2 && random() % 3 == 0)
      rules.locked.push_back({renumber::LockEntry::Kind::prefix, prefix});
  }
  if (random() % 3 == 0) rules.onlyPrefixes = {"R", kPrefixes[random() % 5]};
  if (random() % 3 == 0) rules.startFor["R"] = static_cast<base::Int16>(random() % 3 ? 100 : -5);
  if (random() % 4 == 0) rules.startFor["C"] = 32766;  // past 16 bits: refused
  if (random() % 5 == 0) rules.lockedForRun.insert(someName());
  if (random() % 2 == 0) {
    static const double kGrids[] = {0, 0, 5, 100, 1000000};
    rules.placement = {renumber::Lines(random() % 2), renumber::Across(random() % 2),
                       renumber::Down(random() % 2), kGrids[random() % 5]};
  }
  return rules;
}

struct Ended {
  std::vector<std::string> names, oldNames, newNames, ignored;
  std::string eco;
  bool failed = false;
  bool operator==(const Ended&) const = default;
};

std::string ecoOf(const std::vector<std::string>& from, const std::vector<std::string>& to) {
  eco::ChangeLog log;
  for (std::size_t k = 0; k < from.size(); ++k) log.record(0, from[k], to[k]);
  eco::Windows1252Encoder encoder;
  return eco::ecoFileBytes(log, encoder);
}

Ended planned(const standin::DesignData& design, bool selected,
              const renumber::NumberingRules& rules) {
  tests::Engine e(design);
  e.options.rules = rules;
  const bool failed = e.run(selected).has_value();
  if (failed) return {e.names(), {}, {}, {}, {}, true};
  return {e.names(),
          e.last.oldNames,
          e.last.newNames,
          e.last.ignored,
          ecoOf(e.last.oldNames, e.last.newNames),
          false};
}

// No component is renamed that ends with the name it bore.
bool renamesOnlyWhatChanges(const standin::DesignData& design, bool selected,
                            const renumber::NumberingRules& rules) {
  tests::Engine e(design);
  e.options.rules = rules;
  e.run(selected);
  const auto after = e.names();
  for (const model::Rename& rename : e.outcome.log.entries())
    if (after[rename.position - 1] == design.parts[rename.position - 1].designator) return false;
  return true;
}

Ended plain(const standin::DesignData& design, bool selected,
            const renumber::NumberingRules& rules) {
  standin::MemoryHost host(design);
  tests::OptionValues options;
  options.all = !selected;
  options.selected = options.assign = selected;
  options.rules = rules;
  try {
    const auto outcome = rules.keepRight ? tests::plainKeepingRight(host, options.settings())
                                         : tests::plainRenumbering(host, options.settings());
    return {tests::designators(host.design()),
            outcome.oldNames,
            outcome.newNames,
            outcome.ignored,
            ecoOf(outcome.oldNames, outcome.newNames),
            false};
  } catch (const base::Error&) {
    return {tests::designators(design), {}, {}, {}, {}, true};
  }
}

TEST(RulesDifferential, PlannedRulesEqualTheRulesRunOnTheHost) {
  std::mt19937 random(22);
  int compared = 0, keptRight = 0, refused = 0;
  for (int trial = 0; trial < 700; ++trial) {
    const bool numbered = trial % 4 == 0;
    const auto design = generatedDesign(random, 1 + static_cast<int>(random() % 30), numbered);
    const renumber::NumberingRules rules = generatedRules(random, design);
    const bool selected = trial % 3 == 1;
    const Ended fast = planned(design, selected, rules);
    const Ended slow = plain(design, selected, rules);
    if (slow.failed || fast.failed) {
      // Refused before any rename by both; the plain run may stop part-way.
      EXPECT_TRUE(fast.failed && slow.failed) << trial;
      EXPECT_EQ(fast.names, tests::designators(design)) << trial;
      ++refused;
      continue;
    }
    ASSERT_EQ(fast, slow) << "trial " << trial;
    ++compared;
    if (!rules.keepRight) continue;
    renumber::NumberingRules full = rules;
    full.keepRight = false;
    EXPECT_EQ(planned(design, selected, full).names, fast.names) << trial;
    EXPECT_TRUE(renamesOnlyWhatChanges(design, selected, rules)) << trial;
    ++keptRight;
  }
  EXPECT_GT(compared, 600);
  EXPECT_GT(keptRight, 250);
  EXPECT_GT(refused, 10) << "the generated starts include ones past 16 bits";
}

}  // namespace
}  // namespace varnel
