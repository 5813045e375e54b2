#pragma once
// One rename: the component at a list position (1-based) and its names.
#include <cstdint>
#include <string>

namespace varnel::model {

struct Rename {
  std::int32_t position;
  std::string from;
  std::string to;

  bool operator==(const Rename&) const = default;
};

}  // namespace varnel::model
