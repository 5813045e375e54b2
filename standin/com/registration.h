#pragma once
// Making a server object reachable: its ProgID in the registry, the object
// in the running object table.
#include <windows.h>

#include "win32/base/com_ptr.h"

namespace varnel::standin {

// {3B8D5E21-6F0A-4C47-8E19-5D2B7A64C101}
inline constexpr CLSID kStandinPowerLogicClsid = {
    0x3b8d5e21, 0x6f0a, 0x4c47, {0x8e, 0x19, 0x5d, 0x2b, 0x7a, 0x64, 0xc1, 0x01}};
// {3B8D5E21-6F0A-4C47-8E19-5D2B7A64C102}
inline constexpr CLSID kStandinPowerPcbClsid = {
    0x3b8d5e21, 0x6f0a, 0x4c47, {0x8e, 0x19, 0x5d, 0x2b, 0x7a, 0x64, 0xc1, 0x02}};

// HKCR\progId\CLSID = clsid. Throws varnel::base::Error when the registry refuses.
void registerProgId(const wchar_t* progId, const CLSID& clsid);

// Registers object under progId and in the running object table, and
// handles messages (and the calls they carry) until the window is closed.
void serveUntilClosed(IUnknown* object, const wchar_t* progId, const CLSID& clsid);

}  // namespace varnel::standin
