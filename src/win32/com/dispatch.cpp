#include "win32/com/dispatch.h"

#include <map>
#include <vector>

#include "win32/base/text.h"

namespace varnel::win {

namespace {

std::string systemText(HRESULT result) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, static_cast<DWORD>(result), 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length ? std::wstring(buffer, length) : L"Automation error";
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  return narrow(text);
}

Error typeMismatch() {
  return Error(errors::kTypeMismatch, "Type mismatch");
}

Variant converted(const Variant& value, VARTYPE type) {
  Variant out;
  if (FAILED(VariantChangeType(out.receive(), const_cast<VARIANT*>(&value.get()), 0, type)))
    throw typeMismatch();
  return out;
}

// The text of the thread's IErrorInfo, when object says that it describes
// the failed IDispatch call; empty otherwise.
std::string errorInfoText(IUnknown* object) {
  if (!object) return {};
  ComPtr<ISupportErrorInfo> support;
  if (FAILED(object->QueryInterface(IID_ISupportErrorInfo, support.receiveVoid())) ||
      support->InterfaceSupportsErrorInfo(IID_IDispatch) != S_OK)
    return {};
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.receive()) != S_OK || !info) return {};
  Bstr description;
  if (FAILED(info->GetDescription(description.receive()))) return {};
  return description.utf8();
}

// An automation error number for FACILITY_CONTROL errors, as the host's
// own language reads them; other HRESULTs stay as they are.
std::int64_t errorNumber(HRESULT result) {
  if (FAILED(result) && HRESULT_FACILITY(result) == FACILITY_CONTROL) return HRESULT_CODE(result);
  return static_cast<std::uint32_t>(result);
}

}  // namespace

bool isBusyRejection(std::int64_t number) {
  return number == static_cast<std::uint32_t>(RPC_E_CALL_REJECTED) ||
         number == static_cast<std::uint32_t>(RPC_E_SERVERCALL_RETRYLATER);
}

Error comError(HRESULT result, EXCEPINFO* info, IUnknown* object) {
  std::int64_t number = errorNumber(result);
  std::string text;
  if (result == DISP_E_EXCEPTION && info) {
    if (info->pfnDeferredFillIn) info->pfnDeferredFillIn(info);
    if (info->scode)
      number = errorNumber(info->scode);
    else if (info->wCode)
      number = info->wCode;
    Bstr source, description, help;
    *source.receive() = info->bstrSource;
    *description.receive() = info->bstrDescription;
    *help.receive() = info->bstrHelpFile;
    info->bstrSource = info->bstrDescription = info->bstrHelpFile = nullptr;
    text = description.utf8();
  } else if (FAILED(result)) {
    text = errorInfoText(object);
  }
  if (text.empty()) text = systemText(static_cast<HRESULT>(number));
  return Error(number, text);
}

Error ComConnection::failure(HRESULT result, EXCEPINFO* info, IUnknown* object) const {
  if (!isBusyRejection(static_cast<std::uint32_t>(result))) return comError(result, info, object);
  if (info) comError(result, info);  // frees its texts
  return Error(static_cast<std::uint32_t>(result),
               server + " is busy and did not take the call. Close any dialog open in " + server +
                   ", then try again.");
}

DispatchObject::DispatchObject(ComPtr<IDispatch> object, std::string kind,
                               std::shared_ptr<ComConnection> connection)
    : object_(std::move(object)), kind_(std::move(kind)), connection_(std::move(connection)) {
  if (!object_) throw errors::objectNotSet();
  if (!connection_) connection_ = std::make_shared<ComConnection>("The program");
}

DISPID DispatchObject::dispid(const char* member) {
  const std::string key = kind_ + "." + member;
  if (auto it = connection_->dispids.find(key); it != connection_->dispids.end()) return it->second;
  std::wstring name = widen(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  ++connection_->roundTrips;
  const HRESULT result = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) throw connection_->failure(result);
  connection_->dispids.emplace(key, id);
  return id;
}

Variant DispatchObject::invoke(DISPID id, WORD flags, std::initializer_list<const Variant*> args,
                               bool put) {
  // DISPPARAMS wants the arguments last to first; Invoke does not change them.
  std::vector<VARIANT> reversed;
  for (auto it = std::rbegin(args); it != std::rend(args); ++it) reversed.push_back((*it)->get());
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()),
                    put ? 1u : 0u};
  Variant result;
  EXCEPINFO info{};
  UINT badArgument = 0;
  ++connection_->roundTrips;
  const HRESULT outcome = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                                          put ? nullptr : result.receive(), &info, &badArgument);
  if (FAILED(outcome)) throw connection_->failure(outcome, &info, object_.get());
  // A result given by reference is taken as the value it refers to.
  if (result.get().vt & VT_BYREF) {
    Variant value;
    if (FAILED(VariantCopyInd(value.receive(), const_cast<VARIANT*>(&result.get()))))
      throw typeMismatch();
    return value;
  }
  return result;
}

Variant DispatchObject::get(const char* member, std::initializer_list<const Variant*> args) {
  return invoke(dispid(member), DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

Variant DispatchObject::get(DISPID id) {
  return invoke(id, DISPATCH_PROPERTYGET | DISPATCH_METHOD, {});
}

void DispatchObject::put(const char* member, const Variant& value) {
  invoke(dispid(member), DISPATCH_PROPERTYPUT, {&value}, true);
}

void DispatchObject::call(const char* member, std::initializer_list<const Variant*> args) {
  invoke(dispid(member), DISPATCH_METHOD, args);
}

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
  throw typeMismatch();
}

ComPtr<IDispatch> attachRunning(const wchar_t* progId) {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(progId, &clsid))) throw errors::cannotCreateObject();
  ComPtr<IUnknown> running;
  if (FAILED(GetActiveObject(clsid, nullptr, running.receive())))
    throw errors::cannotCreateObject();
  ComPtr<IDispatch> object;
  const HRESULT result = running.query(IID_IDispatch, object);
  if (FAILED(result)) throw comError(result);
  return object;
}

}  // namespace varnel::win
