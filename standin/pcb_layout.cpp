#include "standin/pcb_layout.h"

#include <unordered_map>

#include "base/error.h"
#include "standin/eco_reader.h"

namespace varnel::standin {

void applyEco(DesignData& layout, std::string_view bytes) {
  const std::vector<EcoSection> sections = readEco(bytes);
  DesignData result = layout;
  std::unordered_map<std::string, std::size_t> partByName;
  for (std::size_t i = 0; i < result.parts.size(); ++i)
    partByName.emplace(result.parts[i].designator, i);
  for (const EcoSection& section : sections) {
    for (const EcoRename& rename : section) {
      auto part = partByName.find(rename.from);
      if (part == partByName.end())
        throw base::Error(kEcoUnknownPart, "ECO file: the layout has no part " + rename.from);
      if (rename.to == rename.from) continue;
      if (partByName.count(rename.to))
        throw base::Error(kEcoNameExists, "ECO file: cannot rename " + rename.from + " to " +
                                              rename.to + ": the layout has a part " + rename.to);
      const std::size_t index = part->second;
      partByName.erase(part);
      partByName.emplace(rename.to, index);
      result.parts[index].designator = rename.to;
    }
  }
  layout = std::move(result);
}

}  // namespace varnel::standin
