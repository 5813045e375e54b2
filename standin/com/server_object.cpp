#include "standin/com/server_object.h"

#include "base/error.h"
#include "win32/com/com_error.h"
#include "win32/com/dispatch_object.h"
#include "win32/com/running_object.h"
#include "win32/com/variant_conversions.h"

namespace varnel::standin {

ServerObject::ServerObject(std::vector<std::wstring> members) : members_(std::move(members)) {}

HRESULT ServerObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (iid == IID_IUnknown || iid == IID_IDispatch)
    *out = static_cast<IDispatch*>(this);
  else
    *out = otherInterface(iid);
  if (!*out) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

HRESULT ServerObject::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return S_OK;
}

HRESULT ServerObject::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}

HRESULT ServerObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  HRESULT result = S_OK;
  for (UINT n = 0; n < count; ++n) {
    ids[n] = DISPID_UNKNOWN;
    for (std::size_t m = 0; m < members_.size(); ++m)
      if (n == 0 && _wcsicmp(names[0], members_[m].c_str()) == 0)
        ids[0] = static_cast<DISPID>(m + 1);
    if (ids[n] == DISPID_UNKNOWN) result = DISP_E_UNKNOWNNAME;
  }
  return result;
}

HRESULT ServerObject::Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                             VARIANT* result, EXCEPINFO* error, UINT*) {
  const std::size_t member = id == DISPID_VALUE ? 0 : static_cast<std::size_t>(id - 1);
  if (id != DISPID_VALUE && (id < 1 || member >= members_.size())) return DISP_E_MEMBERNOTFOUND;
  std::vector<const VARIANT*> args;
  for (UINT i = params ? params->cArgs : 0; i > 0; --i) {
    const VARIANT* arg = &params->rgvarg[i - 1];
    // By-reference arguments as sent by late-binding callers.
    if (arg->vt == (VT_VARIANT | VT_BYREF)) arg = arg->pvarVal;
    args.push_back(arg);
  }
  try {
    win::Variant value = invokeMember(member, (flags & DISPATCH_PROPERTYPUT) != 0, args);
    if (result) *result = value.release();
    return S_OK;
  } catch (const base::Error& e) {
    if (error) {
      *error = EXCEPINFO{};
      error->bstrSource = win::Bstr("Stand-in").release();
      error->bstrDescription = win::Bstr(e.text()).release();
      if (e.number() > 0xFFFF)
        error->scode = static_cast<SCODE>(e.number());
      else
        error->wCode = static_cast<WORD>(e.number());
    }
    return DISP_E_EXCEPTION;
  } catch (...) {
    return E_FAIL;
  }
}

win::Variant objectVariant(ServerObject* fresh) {
  auto owner = win::ComPtr<IDispatch>::adopt(fresh);
  return win::Variant::fromDispatch(owner.get());
}

namespace {

const VARIANT& argAt(const std::vector<const VARIANT*>& args, std::size_t index) {
  if (index >= args.size()) throw base::Error(13, "Type mismatch: argument missing");
  return *args[index];
}

win::Variant copied(const VARIANT& value) {
  win::Variant copy;
  VariantCopy(copy.receive(), const_cast<VARIANT*>(&value));
  return copy;
}

}  // namespace

long argLong(const std::vector<const VARIANT*>& args, std::size_t index) {
  return win::toLong(copied(argAt(args, index)));
}

std::string argText(const std::vector<const VARIANT*>& args, std::size_t index) {
  return win::toText(copied(argAt(args, index)));
}

}  // namespace varnel::standin
