#include "win32/ui/busy_host_prompt.h"

namespace varnel::win {

bool askToWaitForBusyHost(HWND owner) {
  return MessageBoxW(owner,
                     L"PowerLogic is busy. Close any dialog open in PowerLogic, then press Retry.",
                     L"Varnel", MB_RETRYCANCEL | MB_ICONEXCLAMATION) == IDRETRY;
}

}  // namespace varnel::win
