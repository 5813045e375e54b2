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
  return Error(13, "Type mismatch");
}

Variant converted(const Variant& value, VARTYPE type) {
  Variant out;
  if (FAILED(VariantChangeType(out.receive(), const_cast<VARIANT*>(&value.get()), 0, type)))
    throw typeMismatch();
  return out;
}

}  // namespace

Error comError(HRESULT result, EXCEPINFO* info) {
  std::int64_t number = static_cast<std::uint32_t>(result);
  std::string text;
  if (result == DISP_E_EXCEPTION && info) {
    if (info->pfnDeferredFillIn) info->pfnDeferredFillIn(info);
    if (info->scode)
      number = static_cast<std::uint32_t>(info->scode);
    else if (info->wCode)
      number = info->wCode;
    Bstr source, description, help;
    *source.receive() = info->bstrSource;
    *description.receive() = info->bstrDescription;
    *help.receive() = info->bstrHelpFile;
    info->bstrSource = info->bstrDescription = info->bstrHelpFile = nullptr;
    text = description.utf8();
  }
  if (text.empty()) text = systemText(static_cast<HRESULT>(number));
  return Error(number, text);
}

DispatchObject::DispatchObject(ComPtr<IDispatch> object, std::string kind)
    : object_(std::move(object)), kind_(std::move(kind)) {
  if (!object_) throw errors::objectNotSet();
}

DISPID DispatchObject::dispid(const char* member) {
  // One UI thread uses this cache.
  static std::map<std::string, DISPID> cache;
  const std::string key = kind_ + "." + member;
  if (auto it = cache.find(key); it != cache.end()) return it->second;
  std::wstring name = widen(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  const HRESULT result = object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(result)) throw comError(result);
  cache.emplace(key, id);
  return id;
}

Variant DispatchObject::invoke(const char* member, WORD flags,
                               std::initializer_list<const Variant*> args, bool put) {
  // DISPPARAMS wants the arguments last to first; Invoke does not change them.
  std::vector<VARIANT> reversed;
  for (auto it = std::rbegin(args); it != std::rend(args); ++it) reversed.push_back((*it)->get());
  DISPID named = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()),
                    put ? 1u : 0u};
  Variant result;
  EXCEPINFO info{};
  UINT badArgument = 0;
  const HRESULT outcome =
      object_->Invoke(dispid(member), IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                      put ? nullptr : result.receive(), &info, &badArgument);
  if (FAILED(outcome)) throw comError(outcome, &info);
  return result;
}

Variant DispatchObject::get(const char* member, std::initializer_list<const Variant*> args) {
  return invoke(member, DISPATCH_PROPERTYGET | DISPATCH_METHOD, args);
}

void DispatchObject::put(const char* member, const Variant& value) {
  invoke(member, DISPATCH_PROPERTYPUT, {&value}, true);
}

void DispatchObject::call(const char* member, std::initializer_list<const Variant*> args) {
  invoke(member, DISPATCH_METHOD, args);
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
  if (v.vt == VT_UNKNOWN && v.punkVal) {
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
