#pragma once
#include <cstdint>
#include <memory>

#include "host/automation.h"

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

}  // namespace varnel::win
