// The ECO writer: what it writes, the stand-in PowerPCB reads back as the
// same renames in the same order, and applied to a layout it gives what the
// renames give one by one.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "eco/eco_format.h"
#include "standin/eco_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Each pair of bytes is one rename among a few names, so collisions abound.
  static const char* kNames[] = {"R1", "R2", "R3", "r1", "C1", "R10", "U1A", "TP"};
  std::vector<std::string> oldNames, newNames;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    oldNames.push_back(kNames[data[i] % 8]);
    newNames.push_back(kNames[data[i + 1] % 8]);
  }
  const std::string file = varnel::eco::ecoText(oldNames, newNames);
  std::vector<std::string> read;
  for (const auto& section : varnel::standin::readEco(file)) {
    for (const auto& rename : section) read.push_back(rename.from + ">" + rename.to);
    // No two renames of a section collide.
    for (std::size_t a = 0; a < section.size(); ++a)
      for (std::size_t b = a + 1; b < section.size(); ++b)
        if (section[a].to == section[b].to || section[a].from == section[b].from ||
            section[a].to == section[b].from)
          std::abort();
  }
  std::vector<std::string> written;
  for (std::size_t k = 0; k < oldNames.size(); ++k)
    written.push_back(oldNames[k] + ">" + newNames[k]);
  if (read != written) std::abort();
  return 0;
}
