#pragma once
// A hand-written IDispatch for the stand-in servers: members by name, no type
// library. A member that throws varnel::base::Error answers DISP_E_EXCEPTION with
// the error's number and text in EXCEPINFO; nothing else leaves Invoke.
#include <string>
#include <vector>

#include "win32/base/com_ptr.h"
#include "win32/base/ref_counted.h"
#include "win32/base/variant.h"

namespace varnel::standin {

class ServerObject : public win::RefCounted<IDispatch> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* error, UINT*) override;

 protected:
  // members[0] is also the default member (DISPID_VALUE).
  explicit ServerObject(std::vector<std::wstring> members);

  // args in the order they were written; put is true for a property write.
  virtual win::Variant invokeMember(std::size_t member, bool put,
                                    const std::vector<const VARIANT*>& args) = 0;
  // Further interfaces the object answers (a connection point container).
  virtual void* otherInterface(REFIID) { return nullptr; }

 private:
  std::vector<std::wstring> members_;
};

// A new server object as a VARIANT that holds its only reference.
win::Variant objectVariant(ServerObject* fresh);

// Arguments; error 13 "Type mismatch" when one is missing or of no use.
long argLong(const std::vector<const VARIANT*>& args, std::size_t index);
std::string argText(const std::vector<const VARIANT*>& args, std::size_t index);

}  // namespace varnel::standin
