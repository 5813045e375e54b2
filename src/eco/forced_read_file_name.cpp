#include "eco/forced_read_file_name.h"

#include <string_view>

namespace varnel::eco {

namespace {

// CON, PRN, AUX, NUL, COM1 to COM9 and LPT1 to LPT9, in any case: Windows
// takes such a name, with any extension, for a device.
bool isDeviceName(std::string_view stem) {
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  std::string upper(stem);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  if (upper == "CON" || upper == "PRN" || upper == "AUX" || upper == "NUL") return true;
  return upper.size() == 4 && (upper.rfind("COM", 0) == 0 || upper.rfind("LPT", 0) == 0) &&
         upper[3] >= '1' && upper[3] <= '9';
}

}  // namespace

std::string fileNameOf(const std::string& designName) {
  const auto separator = designName.find_last_of("\\/:");
  std::string file = designName.substr(separator == std::string::npos ? 0 : separator + 1);
  for (char& c : file)
    if (static_cast<unsigned char>(c) < 0x20 ||
        std::string_view("<>\"|?*").find(c) != std::string_view::npos)
      c = '_';
  // Windows drops trailing dots and blanks from a file name.
  while (!file.empty() && (file.back() == '.' || file.back() == ' ')) file.pop_back();
  if (file.empty()) return "design";
  if (isDeviceName(std::string_view(file).substr(0, file.find('.')))) file.insert(0, "_");
  return file;
}

std::string forcedReadFileName(const std::string& designName) {
  const std::string file = fileNameOf(designName);
  const auto period = file.find('.');
  return (period == std::string::npos ? file + "." : file.substr(0, period + 1)) + "eco";
}

std::string proposedEcoFileName(const std::string& designName) {
  const std::string file = fileNameOf(designName);
  const auto period = file.rfind('.');
  // ".hidden" has no extension to replace.
  return (period == std::string::npos || period == 0 ? file : file.substr(0, period)) + ".eco";
}

}  // namespace varnel::eco
