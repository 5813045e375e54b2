#pragma once
// During a run: the numbers of each prefix known to be in use as plain
// designators (prefix, then the number in decimal), a bit for each of the
// 65536 numbers of 16 bits. Filled
// from the host's answers and the run's own renames, so that the search for
// a free number jumps over what it has already seen taken.
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace varnel::renumber {

class KnownUsedNumbers {
 public:
  void clear() { used_.clear(); }
  void add(const std::string& prefix, int number);
  void remove(const std::string& prefix, int number);
  // The last number of the known run that holds number, if any.
  std::optional<int> runEnd(const std::string& prefix, int number) const;

 private:
  std::unordered_map<std::string, std::vector<std::uint64_t>> used_;  // by prefix
};

// The prefix and number of a designator that reads exactly as prefix and
// decimal number (R12, R-3; not R012 or R12A).
std::optional<std::pair<std::string, int>> plainNumber(const std::string& name);

}  // namespace varnel::renumber
