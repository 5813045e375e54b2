#pragma once
// The names under which the client finds the running hosts.
#include <windows.h>

namespace varnel::win {

inline constexpr const wchar_t* kPowerLogicProgId = L"PowerLogic.Application";
inline constexpr const wchar_t* kPowerPcbProgId = L"PowerPCB.Application";

}  // namespace varnel::win
