#pragma once
// Designs for the benchmarks, generated the same way every time.
#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "standin/design.h"

namespace varnel::bench {

inline const char* prefixFor(int stretch, int prefixes = 6) {
  static const char* kPrefixes[] = {"R", "C", "U", "D", "L", "Q", "J", "TP", "FB", "Y"};
  return kPrefixes[stretch % prefixes];
}

// Every component's number lies in the range a run from 1 gives, so every
// one is moved aside first: prefixes in stretches of 25, numbers shuffled.
// Past 16000 components the numbers go on under longer prefixes (RA1, CB7),
// so that every number and every temporary one stays within 16 bits.
inline standin::DesignData allMove(int size) {
  std::mt19937 random(size);
  std::vector<int> numbers(size);
  for (int i = 0; i < size; ++i) numbers[i] = i;
  std::shuffle(numbers.begin(), numbers.end(), random);
  standin::DesignData design{"all-move.sch", 1, {}};
  for (int i = 0; i < size; ++i) {
    const int group = numbers[i] / 16000, number = numbers[i] % 16000 + 1;
    const std::string letters =
        group == 0 ? "" : std::string(1, static_cast<char>('A' + group - 1));
    design.parts.push_back({prefixFor(i / 25) + letters + std::to_string(number),
                            static_cast<double>(random() % 20000),
                            static_cast<double>(random() % 15000), false});
  }
  return design;
}

// Four prefixes in one stretch each, numbered 1 upward without gaps; the
// last `selected` components are selected (a quarter in each stretch), in
// reverse placement order, and every number they want is taken.
inline standin::DesignData takenNames(int size, int selected) {
  standin::DesignData design{"taken.sch", 1, {}};
  const int stretch = size / 4;
  for (int i = 0; i < size; ++i) {
    const int s = std::min(i / stretch, 3), k = i - s * stretch;
    const int stretchSize = s == 3 ? size - 3 * stretch : stretch;
    const bool isSelected = k >= stretchSize - selected / 4;
    design.parts.push_back({prefixFor(s) + std::to_string(k + 1),
                            static_cast<double>(stretchSize - k) * 100, 0, isSelected});
  }
  return design;
}

// Six prefixes (one a 10000 components past 60000) in one stretch each,
// numbered 1 upward in list order: a board a "Rename all components" run
// from 1 leaves as it is.
inline standin::DesignData alreadyNumbered(int size) {
  standin::DesignData design{"numbered.sch", 1, {}};
  const int prefixes = std::max(6, (size + 9999) / 10000);
  const int stretch = (size + prefixes - 1) / prefixes;
  for (int i = 0; i < size; ++i)
    design.parts.push_back({prefixFor(i / stretch, prefixes) + std::to_string(i % stretch + 1),
                            static_cast<double>(i % 100) * 100, static_cast<double>(i / 100) * 100,
                            false});
  return design;
}

// One prefix, all selected, in reverse placement order.
inline standin::DesignData reversePlacement(int size) {
  standin::DesignData design{"reverse.sch", 1, {}};
  for (int i = 0; i < size; ++i)
    design.parts.push_back({"R" + std::to_string(i + 1), static_cast<double>(size - i) * 50,
                            static_cast<double>(i % 7) * 100, true});
  return design;
}

// A change log with chains (moves aside, then numbering) and repeats.
inline void chainedLog(int pairs, std::vector<std::string>& oldNames,
                       std::vector<std::string>& newNames) {
  std::mt19937 random(pairs);
  for (int k = 0; k < pairs; ++k) {
    const int from = static_cast<int>(random() % (pairs / 2 + 1));
    oldNames.push_back("R" + std::to_string(k % 3 == 0 ? from : k + pairs));
    newNames.push_back("R" + std::to_string(k % 3 == 1 ? from : k));
  }
}

}  // namespace varnel::bench
