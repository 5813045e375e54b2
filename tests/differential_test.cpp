// The fast paths give what the plain ones give: the run worked out on a copy
// and replayed equals the algorithm run straight on the host; the hashed
// section breaks equal the three literal passes of the ECO writer.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "eco/eco_format.h"
#include "fixtures.h"
#include "plain_renumbering.h"
#include "plain_section_breaks.h"

namespace varnel {
namespace {

using tests::Engine;

standin::DesignData randomDesign(std::mt19937& random, int size) {
  // Lower-case designators are left alone, as a lock leaves them.
  static const char* kPrefixes[] = {"R", "C", "U", "TP", "FB", "R", "C", "r"};
  standin::DesignData design{"random.sch", 1, {}};
  std::set<std::string> used;
  while (static_cast<int>(design.parts.size()) < size) {
    std::string name = kPrefixes[random() % 8];
    name += std::to_string(static_cast<int>(random() % (size * 2)) - 2);
    if (random() % 9 == 0) name += "A";
    if (!used.insert(name).second) continue;
    design.parts.push_back({name, static_cast<double>(random() % 6) * 100 + (random() % 2) * 0.5,
                            static_cast<double>(random() % 5) * 100, random() % 3 == 0});
  }
  return design;
}

// Designs that lead the next-free-name walk into its corners: letters-only
// names, numbers at the ends of 16 bits, prefixes split into several stretches.
standin::DesignData cornerDesign(std::mt19937& random, int size) {
  static const char* kPrefixes[] = {"R", "C", "TP"};
  static const int kEdges[] = {-32768, -32767, 32766, 32767, 0, -1};
  standin::DesignData design{"corners.sch", 1, {}};
  std::set<std::string> used;
  while (static_cast<int>(design.parts.size()) < size) {
    std::string name = kPrefixes[random() % 3];
    const int kind = static_cast<int>(random() % 12);
    if (kind == 0)
      ;  // letters only
    else if (kind == 1)
      name += std::to_string(kEdges[random() % 6]);
    else
      name += std::to_string(static_cast<int>(random() % (size + 4)) - 2);
    if (!used.insert(name).second) continue;
    design.parts.push_back({name, static_cast<double>(random() % 4) * 100,
                            static_cast<double>(random() % 3) * 100, random() % 2 == 0});
  }
  return design;
}

struct Outcome {
  std::vector<std::string> names, oldNames, newNames, ignored;
  bool failed;
  bool operator==(const Outcome&) const = default;
};

void choose(tests::OptionValues& options, int mode, int variant) {
  options.start = std::to_string(variant % 3 == 0 ? 1 : variant % 3 == 1 ? 10 : -3);
  options.all = mode == 0;
  options.selected = mode == 1;
  options.assign = mode == 1 && variant % 2 == 0;
  options.duplicate = mode == 1 && variant % 2 == 1;
}

Outcome planned(const standin::DesignData& design, int mode, int variant) {
  Engine e(design);
  choose(e.options, mode, variant);
  const bool failed = e.run(mode).has_value();
  return {e.names(), e.last.oldNames, e.last.newNames, e.last.ignored, failed};
}

Outcome straightOnTheHost(const standin::DesignData& design, int mode, int variant) {
  standin::MemoryHost host(design);
  tests::OptionValues options;
  choose(options, mode, variant);
  try {
    const auto plain = tests::plainRenumbering(host, options.settings());
    return {tests::designators(host.design()), plain.oldNames, plain.newNames, plain.ignored,
            false};
  } catch (const base::Error&) {
    return {tests::designators(host.design()), {}, {}, {}, true};
  }
}

TEST(Differential, APlannedRunEqualsTheAlgorithmRunOnTheHost) {
  std::mt19937 random(42);
  int compared = 0;
  for (int trial = 0; trial < 400; ++trial) {
    const auto design = randomDesign(random, 1 + static_cast<int>(random() % 30));
    for (int mode : {0, 1}) {
      const Outcome plain = straightOnTheHost(design, mode, trial);
      const Outcome fast = planned(design, mode, trial);
      if (plain.failed) {
        // Refused before any rename, where the plain run failed part-way.
        EXPECT_TRUE(fast.failed) << trial;
        EXPECT_EQ(fast.names, tests::designators(design)) << trial;
        continue;
      }
      ASSERT_EQ(fast, plain) << "trial " << trial << " mode " << mode;
      ++compared;
    }
  }
  EXPECT_GT(compared, 600);
}

TEST(Differential, SelectedRunsInTheWalksCornersEqualTheAlgorithm) {
  std::mt19937 random(2026);
  int compared = 0, refused = 0;
  for (int trial = 0; trial < 600; ++trial) {
    const auto design = cornerDesign(random, 1 + static_cast<int>(random() % 40));
    const Outcome plain = straightOnTheHost(design, 1, trial);
    const Outcome fast = planned(design, 1, trial);
    if (plain.failed) {
      EXPECT_TRUE(fast.failed) << trial;
      ++refused;
      continue;
    }
    ASSERT_EQ(fast, plain) << "trial " << trial;
    ++compared;
  }
  EXPECT_GT(compared, 300);
  EXPECT_GT(refused, 5) << "the corners include overflowing numbers";
}

TEST(Differential, HashedSectionBreaksEqualTheLiteralPasses) {
  std::mt19937 random(7);
  for (int trial = 0; trial < 500; ++trial) {
    std::vector<std::string> oldNames, newNames;
    const int size = static_cast<int>(random() % 60);
    for (int k = 0; k < size; ++k) {
      oldNames.push_back((random() % 4 ? "R" : "r") + std::to_string(random() % 12));
      newNames.push_back("R" + std::to_string(random() % 12));
    }
    ASSERT_EQ(eco::sectionBreaks(oldNames, newNames), tests::plainSectionBreaks(oldNames, newNames))
        << trial;
  }
}

}  // namespace
}  // namespace varnel
