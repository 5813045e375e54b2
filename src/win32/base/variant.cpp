#include "win32/base/variant.h"

#include "win32/base/text.h"

namespace varnel::win {

Bstr::Bstr(const std::string& utf8) {
  const std::wstring wide = widen(utf8);
  raw_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string Bstr::utf8() const {
  return raw_ ? narrow({raw_, SysStringLen(raw_)}) : std::string();
}

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

ComApartment::ComApartment() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

ComApartment::~ComApartment() {
  if (SUCCEEDED(result_)) CoUninitialize();
}

}  // namespace varnel::win
