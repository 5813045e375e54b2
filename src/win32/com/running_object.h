#pragma once
// A server already running, found by its ProgID.
#include <windows.h>

#include "win32/base/com_ptr.h"

namespace varnel::win {

// The running instance registered under progId; error 429 when it is not
// running or not registered. Never starts one.
ComPtr<IDispatch> attachRunning(const wchar_t* progId);

}  // namespace varnel::win
