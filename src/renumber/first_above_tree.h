#pragma once
// A segment tree of maxima over a row of keys: "the first index at or after
// from whose key is above a bound" and "set one key", each in logarithmic
// time. The next-free-name walk asks it for the first gap that stops it.
#include <climits>
#include <optional>
#include <vector>

namespace varnel::renumber {

class FirstAboveTree {
 public:
  static constexpr int kNever = INT_MIN;  // a key above no bound

  explicit FirstAboveTree(int size = 0);
  // A tree over keys, built in linear time.
  explicit FirstAboveTree(const std::vector<int>& keys);
  int size() const { return size_; }
  void set(int index, int key);
  std::optional<int> firstAbove(int from, int bound) const;

 private:
  int find(int node, int low, int high, int from, int bound) const;

  int size_;
  int leaves_ = 1;        // a power of two, at least size_
  std::vector<int> max_;  // node 1 is the root; leaves from leaves_
};

}  // namespace varnel::renumber
