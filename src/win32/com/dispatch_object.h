#pragma once
// Late binding: members called by name through IDispatch, DISPIDs cached.
// Every failure is a varnel::base::Error whose number is the HRESULT (or the
// server's own error code) and whose text comes from EXCEPINFO, the
// server's IErrorInfo, or the system.
#include <initializer_list>
#include <memory>
#include <string>

#include "win32/base/com_ptr.h"
#include "win32/base/variant.h"
#include "win32/com/com_connection.h"

namespace varnel::win {

class DispatchObject {
 public:
  // kind names the object's class as the client knows it (the member that
  // gave the object, when different members may give different classes).
  // Without a connection, the object has one of its own.
  DispatchObject(ComPtr<IDispatch> object, std::string kind,
                 std::shared_ptr<ComConnection> connection = nullptr);

  // A property read or a method call that gives a value.
  Variant get(const char* member, std::initializer_list<const Variant*> args = {});
  void put(const char* member, const Variant& value);
  void call(const char* member, std::initializer_list<const Variant*> args = {});
  // A standard member (DISPID_NEWENUM) read by its fixed DISPID.
  Variant get(DISPID id);

  IDispatch* raw() const { return object_.get(); }
  const std::string& kind() const { return kind_; }
  const std::shared_ptr<ComConnection>& connection() const { return connection_; }

 private:
  DISPID dispid(const char* member);
  Variant invoke(DISPID id, WORD flags, std::initializer_list<const Variant*> args,
                 bool put = false);

  ComPtr<IDispatch> object_;
  std::string kind_;
  std::shared_ptr<ComConnection> connection_;
};

}  // namespace varnel::win
