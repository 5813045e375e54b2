#include "renumber/known_used_numbers.h"

#include "model/designator.h"

namespace varnel::order {

void KnownUsedNumbers::add(const std::string& prefix, int number) {
  auto& runs = runs_[prefix];
  int first = number, last = number;
  auto next = runs.upper_bound(number);
  if (next != runs.begin()) {
    auto before = std::prev(next);
    if (before->second >= number) return;  // known already
    if (before->second == number - 1) {
      first = before->first;
      runs.erase(before);
    }
  }
  if (next != runs.end() && next->first == number + 1) {
    last = next->second;
    runs.erase(next);
  }
  runs[first] = last;
}

void KnownUsedNumbers::remove(const std::string& prefix, int number) {
  auto found = runs_.find(prefix);
  if (found == runs_.end()) return;
  auto& runs = found->second;
  auto next = runs.upper_bound(number);
  if (next == runs.begin()) return;
  auto holder = std::prev(next);
  const int first = holder->first, last = holder->second;
  if (last < number) return;
  runs.erase(holder);
  if (first < number) runs[first] = number - 1;
  if (number < last) runs[number + 1] = last;
}

std::optional<int> KnownUsedNumbers::runEnd(const std::string& prefix, int number) const {
  auto found = runs_.find(prefix);
  if (found == runs_.end()) return std::nullopt;
  auto next = found->second.upper_bound(number);
  if (next == found->second.begin()) return std::nullopt;
  auto holder = std::prev(next);
  if (holder->second < number) return std::nullopt;
  return holder->second;
}

std::optional<std::pair<std::string, int>> plainNumber(const std::string& name) {
  const std::string prefix =
      std::string(name.substr(0, name.size() - designator::numberPart(name).size()));
  const auto value = designator::numberValue(designator::numberPart(name));
  if (!value || designator::compose(prefix, *value) != name) return std::nullopt;
  return std::make_pair(prefix, static_cast<int>(*value));
}

}  // namespace varnel::order
