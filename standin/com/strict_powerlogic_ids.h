#pragma once
// The strict stand-in's identities, as its type library states them. Only
// the stand-in and the tests know them: Varnel finds them from the host.
#include <windows.h>

namespace varnel::standin {

// {7A3C09D1-52E4-4B8F-A6D2-1C0E93B7F500}
inline constexpr GUID kStrictLibraryId = {
    0x7a3c09d1, 0x52e4, 0x4b8f, {0xa6, 0xd2, 0x1c, 0x0e, 0x93, 0xb7, 0xf5, 0x00}};
// The event dispinterface: SelectionChanged at 1, OpenDocument(Doc) at 2.
inline constexpr GUID kStrictEventsIid = {
    0x7a3c09d1, 0x52e4, 0x4b8f, {0xa6, 0xd2, 0x1c, 0x0e, 0x93, 0xb7, 0xf5, 0x10}};
inline constexpr long kSelectionChangedDispid = 1;
inline constexpr long kStrictOpenDocumentDispid = 2;
// The coclass, also the CLSID that "PowerLogic.Application" names in strict mode.
inline constexpr CLSID kStrictApplicationClsid = {
    0x7a3c09d1, 0x52e4, 0x4b8f, {0xa6, 0xd2, 0x1c, 0x0e, 0x93, 0xb7, 0xf5, 0x20}};

}  // namespace varnel::standin
