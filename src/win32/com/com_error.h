#pragma once
// COM failures as Varnel's errors.
// clang-format off
#include <windows.h>
#include <oleauto.h>
// clang-format on

#include <cstdint>

#include "base/error.h"

namespace varnel::win {

// The error for a failed call; frees the EXCEPINFO's texts. With no
// EXCEPINFO, the text is the IErrorInfo of object when object vouches for it
// (ISupportErrorInfo), else the system's. Errors of FACILITY_CONTROL give
// their automation error number (0x800A0035 is 53).
base::Error comError(HRESULT result, EXCEPINFO* info = nullptr, IUnknown* object = nullptr);

// True for the HRESULTs of a call the server rejected because it was busy.
bool isBusyRejection(std::int64_t number);

}  // namespace varnel::win
