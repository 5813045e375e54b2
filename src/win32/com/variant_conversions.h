#pragma once
// What a call gave, as the type the client wants.
#include <string>

#include "win32/base/com_ptr.h"
#include "win32/base/variant.h"

namespace varnel::win {

// Conversions of results; error 13 "Type mismatch" when impossible.
std::string toText(const Variant& value);
long toLong(const Variant& value);
double toDouble(const Variant& value);
bool toBool(const Variant& value);
// The object in value, or nothing for an empty reference (VT_EMPTY,
// VT_NULL, or a null VT_DISPATCH or VT_UNKNOWN).
ComPtr<IDispatch> toObject(const Variant& value);

}  // namespace varnel::win
