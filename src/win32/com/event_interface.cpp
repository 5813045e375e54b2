#include "win32/com/event_interface.h"

#include <oleauto.h>
#include <olectl.h>

#include <string>

#include "win32/base/variant.h"
#include "win32/com/com_error.h"
#include "win32/com/dispatch_object.h"
#include "win32/com/running_object.h"
#include "win32/com/variant_conversions.h"

namespace varnel::win {

namespace {

// A TYPEATTR or FUNCDESC of a type info, released with it.
template <class Desc, void (STDMETHODCALLTYPE ITypeInfo::*Free)(Desc*)>
class TypeDescription {
 public:
  explicit TypeDescription(ITypeInfo& info) : info_(info) {}
  TypeDescription(const TypeDescription&) = delete;
  TypeDescription& operator=(const TypeDescription&) = delete;
  ~TypeDescription() {
    if (desc_) (info_.*Free)(desc_);
  }
  Desc** receive() { return &desc_; }
  const Desc* operator->() const { return desc_; }
  explicit operator bool() const { return desc_ != nullptr; }

 private:
  ITypeInfo& info_;
  Desc* desc_ = nullptr;
};
using TypeAttributes = TypeDescription<TYPEATTR, &ITypeInfo::ReleaseTypeAttr>;
using FunctionDescription = TypeDescription<FUNCDESC, &ITypeInfo::ReleaseFuncDesc>;

// The [default, source] interface of a coclass.
ComPtr<ITypeInfo> defaultSourceOf(ITypeInfo& coclass) {
  TypeAttributes attributes(coclass);
  if (FAILED(coclass.GetTypeAttr(attributes.receive())) || !attributes) return {};
  constexpr INT wanted = IMPLTYPEFLAG_FDEFAULT | IMPLTYPEFLAG_FSOURCE;
  for (UINT i = 0; i < attributes->cImplTypes; ++i) {
    INT flags = 0;
    HREFTYPE reference = 0;
    ComPtr<ITypeInfo> events;
    if (SUCCEEDED(coclass.GetImplTypeFlags(i, &flags)) && (flags & wanted) == wanted &&
        SUCCEEDED(coclass.GetRefTypeOfImplType(i, &reference)) &&
        SUCCEEDED(coclass.GetRefTypeInfo(reference, events.receive())))
      return events;
  }
  return {};
}

std::optional<IID> guidOf(ITypeInfo& info) {
  TypeAttributes attributes(info);
  if (FAILED(info.GetTypeAttr(attributes.receive())) || !attributes) return std::nullopt;
  return attributes->guid;
}

// By its functions' names: ITypeInfo::GetIDsOfNames is not remoted, and
// the coclass's type info may live in the host's process.
std::optional<DISPID> memberNamed(ITypeInfo& info, const wchar_t* name) {
  TypeAttributes attributes(info);
  if (FAILED(info.GetTypeAttr(attributes.receive())) || !attributes) return std::nullopt;
  for (UINT i = 0; i < attributes->cFuncs; ++i) {
    FunctionDescription function(info);
    if (FAILED(info.GetFuncDesc(i, function.receive())) || !function) continue;
    Bstr found;
    if (SUCCEEDED(
            info.GetDocumentation(function->memid, found.receive(), nullptr, nullptr, nullptr)) &&
        found.get() && _wcsicmp(found.get(), name) == 0)
      return function->memid;
  }
  return std::nullopt;
}

std::wstring registryText(const std::wstring& key, const wchar_t* value) {
  wchar_t text[64] = L"";
  DWORD size = sizeof text;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), value, RRF_RT_REG_SZ, nullptr, text, &size) !=
      ERROR_SUCCESS)
    return {};
  return text;
}

// The type info of iid from the type library registered for it.
ComPtr<ITypeInfo> registeredTypeInfo(const IID& iid) {
  wchar_t name[64];
  StringFromGUID2(iid, name, 64);
  const std::wstring key = std::wstring(L"Interface\\") + name + L"\\TypeLib";
  const std::wstring library = registryText(key, nullptr);
  const std::wstring version = registryText(key, L"Version");
  GUID libraryId;
  if (library.empty() || FAILED(CLSIDFromString(library.c_str(), &libraryId))) return {};
  unsigned major = 1, minor = 0;
  swscanf(version.c_str(), L"%x.%x", &major, &minor);
  ComPtr<ITypeLib> types;
  ComPtr<ITypeInfo> info;
  if (FAILED(LoadRegTypeLib(libraryId, static_cast<WORD>(major), static_cast<WORD>(minor), 0,
                            types.receive())) ||
      FAILED(types->GetTypeInfoOfGuid(iid, info.receive())))
    return {};
  return info;
}

// The coclass's events, as the host's class information gives them.
struct ClassEvents {
  std::optional<IID> iid;
  ComPtr<ITypeInfo> info;
};

ClassEvents classEvents(IDispatch* source) {
  ClassEvents found;
  ComPtr<IProvideClassInfo2> classInfo2;
  GUID guid;
  if (SUCCEEDED(source->QueryInterface(IID_IProvideClassInfo2, classInfo2.receiveVoid())) &&
      SUCCEEDED(classInfo2->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &guid)))
    found.iid = guid;
  ComPtr<IProvideClassInfo> classInfo;
  ComPtr<ITypeInfo> coclass;
  if (SUCCEEDED(source->QueryInterface(IID_IProvideClassInfo, classInfo.receiveVoid())) &&
      SUCCEEDED(classInfo->GetClassInfo(coclass.receive())) && coclass)
    found.info = defaultSourceOf(*coclass.get());
  // Type info of another interface than the one the host names is of no use.
  const auto infoIid = found.info ? guidOf(*found.info.get()) : std::nullopt;
  if (found.iid && infoIid != found.iid) found.info.reset();
  if (!found.iid) found.iid = infoIid;
  return found;
}

ComPtr<IConnectionPoint> firstConnectionPoint(IConnectionPointContainer& container) {
  ComPtr<IEnumConnectionPoints> points;
  HRESULT result = container.EnumConnectionPoints(points.receive());
  if (FAILED(result)) throw comError(result);
  ComPtr<IConnectionPoint> point;
  ULONG fetched = 0;
  if (points->Next(1, point.receive(), &fetched) != S_OK || !point)
    throw comError(CONNECT_E_NOCONNECTION);
  return point;
}

}  // namespace

EventInterface findEventInterface(IDispatch* source) {
  ClassEvents known = classEvents(source);
  ComPtr<IConnectionPointContainer> container;
  HRESULT result = source->QueryInterface(IID_IConnectionPointContainer, container.receiveVoid());
  if (FAILED(result)) throw comError(result);
  EventInterface events;
  if (known.iid) {
    events.iid = *known.iid;
    result = container->FindConnectionPoint(events.iid, events.point.receive());
    if (FAILED(result)) throw comError(result);
  } else {
    events.point = firstConnectionPoint(*container.get());
    result = events.point->GetConnectionInterface(&events.iid);
    if (FAILED(result)) throw comError(result);
  }
  if (!known.info) known.info = registeredTypeInfo(events.iid);
  if (known.info) events.openDocument = memberNamed(*known.info.get(), L"OpenDocument");
  return events;
}

}  // namespace varnel::win
