#pragma once
#include <memory>

#include "host/pcb.h"

namespace varnel::win {

// Attaches to the running "PowerPCB.Application".
class ComPcbConnector final : public host::PcbConnector {
 public:
  std::shared_ptr<host::PcbApplication> attach() override;
};

}  // namespace varnel::win
