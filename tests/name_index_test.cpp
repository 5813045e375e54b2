#include "model/name_index.h"

#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>

namespace varnel {
namespace {

// Renames at random among few names, so that names are shared, probes
// collide and deletions shift slots back, against a plain map of sets.
TEST(NameIndex, FollowsRenamesAndSharedNamesAsAPlainMapDoes) {
  std::mt19937 random(23);
  for (int trial = 0; trial < 200; ++trial) {
    const int size = 1 + static_cast<int>(random() % 40), names = 1 + size / 2 + trial % 7;
    std::vector<model::Part> parts;
    std::map<std::string, std::set<std::int32_t>> plain;
    for (int k = 0; k < size; ++k) {
      parts.push_back({"N" + std::to_string(random() % names)});
      plain[parts.back().designator].insert(k + 1);
    }
    model::NameIndex index(parts);
    for (int step = 0; step < 200; ++step) {
      const std::int32_t position = 1 + static_cast<std::int32_t>(random() % size);
      std::string& name = parts[position - 1].designator;
      index.remove(parts, name, position);
      plain[name].erase(position);
      name = "N" + std::to_string(random() % (names * 2));
      index.add(parts, name, position);
      plain[name].insert(position);
      for (const auto& [known, bearers] : plain) {
        const std::vector<std::int32_t> expected(bearers.begin(), bearers.end());
        ASSERT_EQ(index.all(parts, known), expected) << trial << " " << step << " " << known;
        ASSERT_EQ(index.count(parts, known), expected.size());
        ASSERT_EQ(index.first(parts, known), expected.empty() ? 0 : expected.front());
      }
    }
  }
}

}  // namespace
}  // namespace varnel
