// The forced-read file's name: whatever the design is called, the file lies
// directly in the temporary folder, and ends in ".eco".
#include <cstdint>
#include <cstdlib>
#include <string>

#include "eco/forced_read_file_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string designName(reinterpret_cast<const char*>(data), size);
  const std::string file = varnel::eco::forcedReadFileName(designName);
  if (file.find_first_of("/\\:") != std::string::npos) std::abort();
  for (unsigned char c : file)
    if (c < 0x20) std::abort();
  if (file.size() < 4 || file.compare(file.size() - 4, 4, ".eco") != 0) std::abort();
  if (file.find('.') != file.size() - 4) std::abort();  // one period: never ".." or a folder
  return 0;
}
