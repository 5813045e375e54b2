#pragma once
// Where a run's ECO file goes, settled before the first rename: a run whose
// file could not reach its place renames nothing.
#include <string>

#include "eco/pcb_link.h"

namespace varnel::eco {

struct EcoDelivery {
  enum class Target { none, chosenFile, forcedRead };
  Target target = Target::none;
  std::string fileName;  // as the writer takes it: the chosen path, or a name in the temp folder
  std::string path;      // where the file will be
  host::Ref<PcbDocument> layout;  // forced read: the layout open in PowerPCB
};

}  // namespace varnel::eco
