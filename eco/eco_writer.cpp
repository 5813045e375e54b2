// WriteEco: the change log as an ECO file.
#include "eco/ansi_encoding.h"
#include "eco/eco_format.h"
#include "eco/pcb_link.h"
#include "engine/frm_ren_part.h"
#include "app/run_options.h"

namespace varnel {

namespace {

constexpr std::int64_t kEcoCannotCarry = 1002;

}  // namespace

std::string frmRenPart::ecoEncoded(const std::string& name) {
  eco::Windows1252Encoder fallback;
  eco::AnsiEncoder& encoder = platform_.encoder ? *platform_.encoder : fallback;
  const std::string why = eco::unfitForEco(name);
  if (!why.empty())
    throw Error(kEcoCannotCarry,
                "The ECO file cannot carry the designator '" + name + "': it holds " + why + ".");
  auto bytes = encoder.encode(name);
  if (!bytes)
    throw Error(kEcoCannotCarry, "The ECO file cannot carry the designator '" + name +
                                     "': a character has no place in the ANSI code page.");
  return *bytes;
}

std::string frmRenPart::ecoBytes() {
  const std::size_t n = std::min(oldNames.size(), newNames.size());
  std::vector<std::string> oldBytes, newBytes;
  for (std::size_t k = 0; k < n; ++k) {
    oldBytes.push_back(ecoEncoded(oldNames[k]));
    newBytes.push_back(ecoEncoded(newNames[k]));
  }
  return eco::ecoText(oldBytes, newBytes);
}

void frmRenPart::WriteEco(const std::string& EcoFilename) {
  // The forced-read file goes to the user's temporary folder, which a
  // standard user can always write to.
  const std::string path =
      platform_.options->optDirect() ? platform_.files->tempFolder() + EcoFilename : EcoFilename;
  platform_.files->replaceFile(path, ecoBytes());
}

std::string frmRenPart::renameListing(const std::string& lineEnd) const {
  std::string lines;
  for (std::size_t k = 0; k < std::min(oldNames.size(), newNames.size()); ++k)
    lines += oldNames[k] + " " + newNames[k] + lineEnd;
  return lines;
}

}  // namespace varnel
