#include "standin/com/typed_object.h"

#include <string>

#include "standin/com/strict_powerlogic_ids.h"
#include "win32/base/variant.h"
#include "win32/com/com_error.h"
#include "win32/com/dispatch_object.h"
#include "win32/com/running_object.h"
#include "win32/com/variant_conversions.h"

namespace varnel::standin {

namespace {

std::wstring exePath() {
  wchar_t path[MAX_PATH] = L"";
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

ITypeLib* loadStrictTypeLibrary() {
  ITypeLib* library = nullptr;
  // REGKIND_REGISTER writes HKCR\TypeLib and each interface's marshalling.
  const HRESULT result = LoadTypeLibEx(exePath().c_str(), REGKIND_REGISTER, &library);
  if (FAILED(result)) throw win::comError(result);
  return library;
}

}  // namespace

ITypeLib& strictTypeLibrary() {
  // Loaded once and kept for the life of the process.
  static ITypeLib* library = loadStrictTypeLibrary();
  return *library;
}

win::ComPtr<ITypeInfo> vtableTypeInfo(REFIID iid) {
  win::ComPtr<ITypeInfo> dispatch;
  HRESULT result = strictTypeLibrary().GetTypeInfoOfGuid(iid, dispatch.receive());
  if (FAILED(result)) throw win::comError(result);
  // A dual interface's type info is its dispatch side; Invoke wants the vtable.
  HREFTYPE vtable = 0;
  result = dispatch->GetRefTypeOfImplType(static_cast<UINT>(-1), &vtable);
  if (FAILED(result)) throw win::comError(result);
  win::ComPtr<ITypeInfo> info;
  result = dispatch->GetRefTypeInfo(vtable, info.receive());
  if (FAILED(result)) throw win::comError(result);
  return info;
}

HRESULT hresultOf(const base::Error& error) {
  if (error.number() > 0xFFFF) return static_cast<HRESULT>(error.number());
  return MAKE_HRESULT(SEVERITY_ERROR, FACILITY_CONTROL, error.number() & 0xFFFF);
}

void raiseErrorInfo(const base::Error& error, REFIID iid) {
  win::ComPtr<ICreateErrorInfo> created;
  if (FAILED(CreateErrorInfo(created.receive()))) return;
  const win::Bstr description(error.text());
  created->SetDescription(description.get());
  created->SetSource(const_cast<LPOLESTR>(L"PowerLogic.Application"));
  created->SetGUID(iid);
  win::ComPtr<IErrorInfo> info;
  if (SUCCEEDED(created.query(IID_IErrorInfo, info))) SetErrorInfo(0, info.get());
}

}  // namespace varnel::standin
