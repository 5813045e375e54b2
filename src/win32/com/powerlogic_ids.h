#pragma once
// Identities shared by the COM client and the stand-in servers.
#include <windows.h>

namespace varnel::win {

inline constexpr const wchar_t* kPowerLogicProgId = L"PowerLogic.Application";
inline constexpr const wchar_t* kPowerPcbProgId = L"PowerPCB.Application";

// The application's event interface, and the member OpenDocument(Doc) in it.
// {6C1E3A52-8D47-4F0B-9B3E-2A5D7C90E411}
inline constexpr GUID kPowerLogicEventsIid = {
    0x6c1e3a52, 0x8d47, 0x4f0b, {0x9b, 0x3e, 0x2a, 0x5d, 0x7c, 0x90, 0xe4, 0x11}};
inline constexpr long kOpenDocumentDispid = 1;

}  // namespace varnel::win
