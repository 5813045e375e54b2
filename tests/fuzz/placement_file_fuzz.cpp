// The placement file reader, which any exporter's file reaches: never
// crashes; refuses only with its own error; what it reads holds each
// designator once, none empty, at finite positions.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unordered_set>

#include "base/error.h"
#include "eco/placement_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace varnel;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  try {
    const model::BoardPlacement read = eco::readPlacementFile(bytes, "board_bottom.txt");
    std::unordered_set<std::string> seen;
    for (const model::BoardPart& part : read.parts) {
      if (part.designator.empty() || !seen.insert(part.designator).second) std::abort();
      if (!std::isfinite(part.x) || !std::isfinite(part.y)) std::abort();
    }
  } catch (const base::Error& e) {
    if (e.number() != base::errors::kPlacementFile) std::abort();
  }
  return 0;
}
