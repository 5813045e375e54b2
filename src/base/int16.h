#pragma once
// Counters, positions and designator numbers are signed 16-bit; a result
// outside -32768..32767 is error 6, never a wrap-around.
#include <cstdint>

namespace varnel::base {

using Int16 = std::int16_t;

// Throws error 6 when value does not fit.
Int16 toInt16(std::int64_t value);

inline bool fitsInt16(std::int64_t value) {
  return value >= -32768 && value <= 32767;
}

// a + b, throwing error 6 on overflow.
inline Int16 add16(std::int64_t a, std::int64_t b) {
  return toInt16(a + b);
}

}  // namespace varnel::base
