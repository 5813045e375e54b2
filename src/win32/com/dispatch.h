#pragma once
// Late binding: members called by name through IDispatch, DISPIDs cached.
// Every failure is a varnel::Error whose number is the HRESULT (or the
// server's own error code) and whose text comes from EXCEPINFO, the
// server's IErrorInfo, or the system.
#include <cstdint>
#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "base/error.h"
#include "win32/base/com_ptr.h"
#include "win32/base/variant.h"

namespace varnel::win {

// What the objects of one attached server share: the DISPIDs of each class
// of its objects, the classes found to offer no member, the server's name
// for messages, and the round trips made to it. A server assigns DISPIDs per
// class, and another server (or another version) assigns them otherwise:
// nothing here is shared between classes or between attachments.
struct ComConnection {
  explicit ComConnection(std::string serverName) : server(std::move(serverName)) {}
  // The error for a failed call to the server: a rejection for being busy
  // says so in the server's name; anything else as comError says.
  Error failure(HRESULT result, EXCEPINFO* info = nullptr, IUnknown* object = nullptr) const;

  std::string server;                     // "PowerLogic"
  std::map<std::string, DISPID> dispids;  // by "class.member"
  std::set<std::string> missing;          // "class.member" the class does not offer
  std::int64_t roundTrips = 0;
};

// The error for a failed call; frees the EXCEPINFO's texts. With no
// EXCEPINFO, the text is the IErrorInfo of object when object vouches for it
// (ISupportErrorInfo), else the system's. Errors of FACILITY_CONTROL give
// their automation error number (0x800A0035 is 53).
Error comError(HRESULT result, EXCEPINFO* info = nullptr, IUnknown* object = nullptr);

// True for the HRESULTs of a call the server rejected because it was busy.
bool isBusyRejection(std::int64_t number);

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

// Conversions of results; error 13 "Type mismatch" when impossible.
std::string toText(const Variant& value);
long toLong(const Variant& value);
double toDouble(const Variant& value);
bool toBool(const Variant& value);
// The object in value, or nothing for an empty reference (VT_EMPTY,
// VT_NULL, or a null VT_DISPATCH or VT_UNKNOWN).
ComPtr<IDispatch> toObject(const Variant& value);

// The running instance registered under progId; error 429 when it is not
// running or not registered. Never starts one.
ComPtr<IDispatch> attachRunning(const wchar_t* progId);

}  // namespace varnel::win
