#pragma once
// A designator with its number parsed once, as the next-free-name walk reads it.
#include <cstdint>
#include <string>

namespace varnel::renumber {

struct ListName {
  std::string name;
  std::int16_t number = 0;  // wholeNumber(name)
  bool hasNumber = false;   // false: nothing after its letters
  explicit ListName(std::string text = {});
};

}  // namespace varnel::renumber
