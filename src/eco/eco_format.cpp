#include "eco/eco_format.h"

#include <algorithm>
#include <unordered_set>

namespace varnel::eco {

void appendSectionHeader(std::string& file) {
  file += "*PADS-ECO-V3.0-MILS*\r\n\r\n*RENPART*\r\n*REMARK*  AUTORENUMBER\r\n";
}

std::vector<int> sectionBreaks(const std::vector<std::string>& oldNames,
                               const std::vector<std::string>& newNames) {
  const int n = static_cast<int>(std::min(oldNames.size(), newNames.size()));
  std::unordered_set<std::string> givenNames, renamedNames;
  std::vector<int> breaks;
  for (int j = 0; j < n; ++j) {
    if (givenNames.count(newNames[j])) breaks.push_back(j);    // A
    if (renamedNames.count(oldNames[j])) breaks.push_back(j);  // B
    if (givenNames.count(oldNames[j])) breaks.push_back(j);    // C
    givenNames.insert(newNames[j]);
    renamedNames.insert(oldNames[j]);
  }
  return breaks;  // ascending by construction
}

std::string ecoText(const std::vector<std::string>& oldNames,
                    const std::vector<std::string>& newNames) {
  const std::vector<int> breaks = sectionBreaks(oldNames, newNames);
  const int n = static_cast<int>(std::min(oldNames.size(), newNames.size()));
  std::string file;
  appendSectionHeader(file);
  auto nextBreak = breaks.begin();
  for (int k = 0; k < n; ++k) {
    for (; nextBreak != breaks.end() && *nextBreak == k; ++nextBreak) {
      file += "*END*\r\n\r\n";
      appendSectionHeader(file);
    }
    file += oldNames[k] + " " + newNames[k] + "\r\n";
  }
  file += "*END*\r\n";
  return file;
}

std::string unfitForEco(const std::string& name) {
  if (name.empty()) return "an empty designator";
  for (unsigned char c : name) {
    if (c == ' ') return "a blank";
    if (c < 0x20 || c == 0x7F) return "a control character";
  }
  return {};
}

}  // namespace varnel::eco
