#pragma once
// Move-only owner of a kernel object handle (a mutex, a process).
#include <windows.h>

#include "win32/base/unique_handle.h"

namespace varnel::win {

// Some functions give INVALID_HANDLE_VALUE, not null, for no handle.
inline void closeKernelHandle(HANDLE handle) {
  if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
}

using KernelHandle = UniqueHandle<HANDLE, &closeKernelHandle>;

}  // namespace varnel::win
