#include "win32/com/dispatch_object.h"

#include "win32/com/busy_host_filter.h"

#include <vector>

#include "win32/base/text.h"

namespace varnel::win {

DispatchObject::DispatchObject(ComPtr<IDispatch> object, std::string kind,
                               std::shared_ptr<ComConnection> connection)
    : object_(std::move(object)), kind_(std::move(kind)), connection_(std::move(connection)) {
  if (!object_) throw base::errors::objectNotSet();
  if (!connection_) connection_ = std::make_shared<ComConnection>("The program");
}

DISPID DispatchObject::dispid(const char* member) {
  const std::string key = kind_ + "." + member;
  if (auto it = connection_->dispids.find(key); it != connection_->dispids.end()) return it->second;
  std::wstring name = widen(member);
  LPOLESTR names[] = {name.data()};
  DISPID id = DISPID_UNKNOWN;
  ++connection_->roundTrips;
  const HRESULT result = BusyHostFilter::callWhileBusy(
      [&] { return object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id); });
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
  // A rejected call was not carried out: result and info are as they were.
  const HRESULT outcome = BusyHostFilter::callWhileBusy([&] {
    return object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params,
                           put ? nullptr : result.receive(), &info, &badArgument);
  });
  if (FAILED(outcome)) throw connection_->failure(outcome, &info, object_.get());
  // A result given by reference is taken as the value it refers to.
  if (result.get().vt & VT_BYREF) {
    Variant value;
    if (FAILED(VariantCopyInd(value.receive(), const_cast<VARIANT*>(&result.get()))))
      throw base::errors::typeMismatch();
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

}  // namespace varnel::win
