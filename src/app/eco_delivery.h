#pragma once
// Where a run's ECO file goes, settled before the first rename: a run whose
// file could not reach its place renames nothing.
#include <string>

#include "app/renumbering_session.h"

namespace varnel::app {

struct RenumberingSession::Delivery {
  EcoOutput output = EcoOutput::none;
  std::string path;                     // the chosen file, or the forced-read file
  host::Ref<host::PcbDocument> layout;  // forced read: the layout open in PowerPCB
};

}  // namespace varnel::app
