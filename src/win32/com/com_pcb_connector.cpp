#include "win32/com/com_pcb_connector.h"

#include "win32/com/com_objects.h"
#include "win32/com/powerlogic_ids.h"
#include "win32/com/running_object.h"

namespace varnel::win {

std::shared_ptr<host::PcbApplication> ComPcbConnector::attach() {
  return powerPcbOver(attachRunning(kPowerPcbProgId), std::make_shared<ComConnection>("PowerPCB"));
}

}  // namespace varnel::win
