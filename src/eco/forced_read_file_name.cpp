#include "eco/forced_read_file_name.h"

#include <string_view>

namespace varnel::eco {

std::string fileNameOf(const std::string& designName) {
  const auto separator = designName.find_last_of("\\/:");
  std::string file = designName.substr(separator == std::string::npos ? 0 : separator + 1);
  for (char& c : file)
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("<>\"|?*").find(c) != std::string_view::npos)
      c = '_';
  return file;
}

std::string forcedReadFileName(const std::string& designName) {
  const std::string file = fileNameOf(designName);
  const auto period = file.find('.');
  return (period == std::string::npos ? file + "." : file.substr(0, period + 1)) + "eco";
}

}  // namespace varnel::eco
