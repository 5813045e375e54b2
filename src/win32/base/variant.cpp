#include "win32/base/variant.h"

#include "win32/base/text.h"

namespace varnel::win {

Variant Variant::fromInt(long value) {
  Variant v;
  v.value_.vt = VT_I4;
  v.value_.lVal = value;
  return v;
}

Variant Variant::fromString(const std::string& utf8) {
  Variant v;
  v.value_.vt = VT_BSTR;
  v.value_.bstrVal = Bstr(utf8).release();
  return v;
}

Variant Variant::fromDouble(double value) {
  Variant v;
  v.value_.vt = VT_R8;
  v.value_.dblVal = value;
  return v;
}

Variant Variant::fromBool(bool value) {
  Variant v;
  v.value_.vt = VT_BOOL;
  v.value_.boolVal = value ? VARIANT_TRUE : VARIANT_FALSE;
  return v;
}

Variant Variant::fromDispatch(IDispatch* object) {
  Variant v;
  v.value_.vt = VT_DISPATCH;
  v.value_.pdispVal = object;
  if (object) object->AddRef();
  return v;
}

}  // namespace varnel::win
