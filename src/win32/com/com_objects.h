#pragma once
// PowerLogic's and PowerPCB's objects over their automation interfaces:
// each holds its IDispatch and calls members by name.
#include <memory>

#include "host/automation.h"
#include "host/pcb.h"
#include "win32/base/com_ptr.h"
#include "win32/com/com_connection.h"

namespace varnel::win {

std::shared_ptr<host::Application> powerLogicOver(ComPtr<IDispatch> application,
                                                  std::shared_ptr<ComConnection> connection);
std::shared_ptr<host::PcbApplication> powerPcbOver(ComPtr<IDispatch> application,
                                                   std::shared_ptr<ComConnection> connection);

}  // namespace varnel::win
