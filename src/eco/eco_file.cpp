#include "eco/eco_file.h"

#include "base/error.h"
#include "eco/eco_format.h"

namespace varnel::eco {

std::string encodedForEco(const std::string& name, AnsiEncoder& encoder) {
  const std::string why = unfitForEco(name);
  if (!why.empty())
    throw base::Error(base::errors::kEcoCannotCarry, "The ECO file cannot carry the designator '" +
                                                         name + "': it holds " + why + ".");
  auto bytes = encoder.encode(name);
  if (!bytes)
    throw base::Error(base::errors::kEcoCannotCarry,
                      "The ECO file cannot carry the designator '" + name +
                          "': a character has no place in the ANSI code page.");
  return *bytes;
}

std::string ecoFileBytes(const ChangeLog& log, AnsiEncoder& encoder) {
  std::vector<std::string> oldBytes, newBytes;
  for (const model::Rename& rename : log.entries()) {
    oldBytes.push_back(encodedForEco(rename.from, encoder));
    newBytes.push_back(encodedForEco(rename.to, encoder));
  }
  return ecoText(oldBytes, newBytes);
}

}  // namespace varnel::eco
