#pragma once
// PowerLogic and PowerPCB reached through their automation interfaces.
#include "host/automation.h"
#include "host/pcb.h"

namespace varnel::win {

struct ComConnection;

// Attaches to the running "PowerLogic.Application".
class ComHostAttacher final : public host::HostAttacher {
 public:
  std::shared_ptr<host::Application> attach() override;
  // The calls made to the PowerLogic attached last (each a round trip
  // across processes): GetIDsOfNames, Invoke, QueryInterface, Next.
  std::int64_t roundTrips() const;

 private:
  std::shared_ptr<ComConnection> connection_;
};

// Attaches to the running "PowerPCB.Application".
class ComPcbConnector final : public host::PcbConnector {
 public:
  std::shared_ptr<host::PcbApplication> attach() override;
};

}  // namespace varnel::win
