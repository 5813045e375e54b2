#include "win32/com/com_host_attacher.h"

#include "win32/com/com_objects.h"
#include "win32/com/powerlogic_ids.h"
#include "win32/com/running_object.h"

namespace varnel::win {

std::shared_ptr<host::Application> ComHostAttacher::attach() {
  // Each attachment learns the host's DISPIDs anew: it may be another host.
  connection_ = std::make_shared<ComConnection>("PowerLogic");
  return powerLogicOver(attachRunning(kPowerLogicProgId), connection_);
}

std::int64_t ComHostAttacher::roundTrips() const {
  return connection_ ? connection_->roundTrips : 0;
}

}  // namespace varnel::win
