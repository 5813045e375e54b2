#pragma once
// PowerLogic and PowerPCB reached through their automation interfaces.
#include "eco/pcb_link.h"
#include "host/automation.h"

namespace varnel::win {

// Attaches to the running "PowerLogic.Application".
class ComHostAttacher final : public host::HostAttacher {
 public:
  std::shared_ptr<host::Application> attach() override;
};

// Attaches to the running "PowerPCB.Application".
class ComPcbConnector final : public eco::PcbConnector {
 public:
  std::shared_ptr<eco::PcbApplication> attach() override;
};

}  // namespace varnel::win
