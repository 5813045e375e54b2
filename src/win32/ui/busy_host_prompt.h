#pragma once
// The box that asks whether to wait on for a busy PowerLogic.
#include <windows.h>

namespace varnel::win {

// Modal to owner (none: no owner), Retry and Cancel; true for Retry.
bool askToWaitForBusyHost(HWND owner);

}  // namespace varnel::win
