#include "renumber/first_above_tree.h"

#include <algorithm>

namespace varnel::renumber {

FirstAboveTree::FirstAboveTree(int size) : size_(size) {
  while (leaves_ < size_) leaves_ *= 2;
  max_.assign(2 * static_cast<std::size_t>(leaves_), kNever);
}

FirstAboveTree::FirstAboveTree(const std::vector<int>& keys)
    : FirstAboveTree(static_cast<int>(keys.size())) {
  std::copy(keys.begin(), keys.end(), max_.begin() + leaves_);
  for (int node = leaves_ - 1; node >= 1; --node)
    max_[node] = std::max(max_[2 * node], max_[2 * node + 1]);
}

void FirstAboveTree::set(int index, int key) {
  int node = leaves_ + index;
  max_[node] = key;
  for (node /= 2; node >= 1; node /= 2) max_[node] = std::max(max_[2 * node], max_[2 * node + 1]);
}

std::optional<int> FirstAboveTree::firstAbove(int from, int bound) const {
  if (from >= size_) return std::nullopt;
  const int found = find(1, 0, leaves_, std::max(from, 0), bound);
  if (found < 0) return std::nullopt;
  return found;
}

// Leftmost leaf in [low, high) of node, at or after from, above bound; -1 if none.
// Subtrees wholly before from or with nothing above bound are skipped whole.
int FirstAboveTree::find(int node, int low, int high, int from, int bound) const {
  if (high <= from || max_[node] <= bound) return -1;
  if (high - low == 1) return low;
  const int middle = (low + high) / 2;
  const int left = find(2 * node, low, middle, from, bound);
  return left >= 0 ? left : find(2 * node + 1, middle, high, from, bound);
}

}  // namespace varnel::renumber
