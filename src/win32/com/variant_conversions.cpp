#include "win32/com/variant_conversions.h"

#include "base/error.h"
#include "win32/base/text.h"

namespace varnel::win {

namespace {

Variant converted(const Variant& value, VARTYPE type) {
  Variant out;
  if (FAILED(VariantChangeType(out.receive(), const_cast<VARIANT*>(&value.get()), 0, type)))
    throw base::errors::typeMismatch();
  return out;
}

}  // namespace

std::string toText(const Variant& value) {
  if (value.get().vt == VT_BSTR) {
    const BSTR text = value.get().bstrVal;
    return text ? narrow({text, SysStringLen(text)}) : std::string();
  }
  const Variant text = converted(value, VT_BSTR);
  return toText(text);
}

long toLong(const Variant& value) {
  return converted(value, VT_I4).get().lVal;
}
double toDouble(const Variant& value) {
  return converted(value, VT_R8).get().dblVal;
}
bool toBool(const Variant& value) {
  return converted(value, VT_BOOL).get().boolVal != VARIANT_FALSE;
}

ComPtr<IDispatch> toObject(const Variant& value) {
  const VARIANT& v = value.get();
  if (v.vt == VT_EMPTY || v.vt == VT_NULL) return {};
  if (v.vt == VT_DISPATCH) return ComPtr<IDispatch>::share(v.pdispVal);
  if (v.vt == VT_UNKNOWN && !v.punkVal) return {};  // Nothing, as an IUnknown
  if (v.vt == VT_UNKNOWN) {
    ComPtr<IDispatch> object;
    if (SUCCEEDED(v.punkVal->QueryInterface(IID_IDispatch, object.receiveVoid()))) return object;
  }
  throw base::errors::typeMismatch();
}

}  // namespace varnel::win
