#pragma once
// Late binding: members called by name through IDispatch, DISPIDs cached.
// Every failure is a varnel::Error whose number is the HRESULT (or the
// server's own error code) and whose text comes from EXCEPINFO or the system.
#include <initializer_list>
#include <string>

#include "base/error.h"
#include "win32/base/com_ptr.h"
#include "win32/base/variant.h"

namespace varnel::win {

// The error for a failed call; frees the EXCEPINFO's texts.
Error comError(HRESULT result, EXCEPINFO* info = nullptr);

class DispatchObject {
 public:
  // kind names the object's type; DISPIDs are cached per kind and member.
  DispatchObject(ComPtr<IDispatch> object, std::string kind);

  // A property read or a method call that gives a value.
  Variant get(const char* member, std::initializer_list<const Variant*> args = {});
  void put(const char* member, const Variant& value);
  void call(const char* member, std::initializer_list<const Variant*> args = {});

  IDispatch* raw() const { return object_.get(); }
  const std::string& kind() const { return kind_; }

 private:
  DISPID dispid(const char* member);
  Variant invoke(const char* member, WORD flags, std::initializer_list<const Variant*> args,
                 bool put = false);

  ComPtr<IDispatch> object_;
  std::string kind_;
};

// Conversions of results; error 13 "Type mismatch" when impossible.
std::string toText(const Variant& value);
long toLong(const Variant& value);
double toDouble(const Variant& value);
bool toBool(const Variant& value);
// The object in value, or nothing for an empty reference.
ComPtr<IDispatch> toObject(const Variant& value);

// The running instance registered under progId; error 429 when it is not
// running or not registered. Never starts one.
ComPtr<IDispatch> attachRunning(const wchar_t* progId);

}  // namespace varnel::win
