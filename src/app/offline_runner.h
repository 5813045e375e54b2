#pragma once
// varnel-offline: the engine on a design file through the in-memory host.
//   varnel-offline DESIGN (--all | --selected [--assign | --duplicates])
//                  [--start TEXT] [--eco FILE] [--out FILE] [--stats]
// Exit status: 0 after a completed run; 1 when the design cannot be read or
// the run is refused or fails; 2 for a bad command line or start number.
#include <ostream>
#include <string>
#include <vector>

namespace varnel::ui {

int runOffline(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace varnel::ui
