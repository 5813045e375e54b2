#include "renumber/known_used_numbers.h"

#include <bit>
#include <cstdint>

#include "model/designator.h"

namespace varnel::renumber {

namespace {

constexpr int kLowest = -32768;
constexpr std::size_t kWords = 65536 / 64;

std::size_t bitOf(int number) {
  return static_cast<std::size_t>(number - kLowest);
}

}  // namespace

void KnownUsedNumbers::add(const std::string& prefix, int number) {
  auto& bits = used_[prefix];
  if (bits.empty()) bits.resize(kWords);
  const std::size_t bit = bitOf(number);
  bits[bit / 64] |= std::uint64_t{1} << (bit % 64);
}

void KnownUsedNumbers::remove(const std::string& prefix, int number) {
  auto found = used_.find(prefix);
  if (found == used_.end()) return;
  const std::size_t bit = bitOf(number);
  found->second[bit / 64] &= ~(std::uint64_t{1} << (bit % 64));
}

// The first number above that is not known: a word at a time.
std::optional<int> KnownUsedNumbers::runEnd(const std::string& prefix, int number) const {
  auto found = used_.find(prefix);
  if (found == used_.end()) return std::nullopt;
  const std::vector<std::uint64_t>& bits = found->second;
  std::size_t bit = bitOf(number);
  if (!(bits[bit / 64] >> (bit % 64) & 1)) return std::nullopt;
  for (std::size_t word = bit / 64; word < kWords; ++word) {
    // The unknown numbers of this word at or above bit.
    const std::uint64_t free =
        ~bits[word] & (~std::uint64_t{0} << (word == bit / 64 ? bit % 64 : 0));
    if (free != 0)
      return static_cast<int>(word * 64 + static_cast<std::size_t>(std::countr_zero(free))) +
             kLowest - 1;
  }
  return 32767;
}

std::optional<std::pair<std::string, int>> plainNumber(const std::string& name) {
  const std::string prefix =
      std::string(name.substr(0, name.size() - model::designator::numberPart(name).size()));
  const auto value = model::designator::numberValue(model::designator::numberPart(name));
  if (!value || model::designator::compose(prefix, *value) != name) return std::nullopt;
  return std::make_pair(prefix, static_cast<int>(*value));
}

}  // namespace varnel::renumber
