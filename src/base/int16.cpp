#include "base/int16.h"

#include "base/error.h"

namespace varnel::base {

Int16 toInt16(std::int64_t value) {
  if (!fitsInt16(value)) throw errors::overflow();
  return static_cast<Int16>(value);
}

}  // namespace varnel::base
