// The design file parser: never crashes; what it reads, it writes back so
// that reading again gives the same design; a refusal names the file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "standin/design_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  using namespace varnel::standin;
  DesignData design;
  try {
    design = parseDesign(text, "fuzz.design");
  } catch (const DesignFileError& e) {
    if (std::string(e.what()).rfind("fuzz.design:", 0) != 0) std::abort();
    return 0;
  }
  const std::string written = formatDesign(design);
  if (!(parseDesign(written, "again") == design)) std::abort();
  if (formatDesign(parseDesign(written, "again")) != written) std::abort();
  return 0;
}
