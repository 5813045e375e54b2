#pragma once
// A server object served the way type-library automation servers are: names
// and DISPIDs from the type info, calls through ITypeInfo::Invoke onto the
// dual interface's vtable. A failing member sets an IErrorInfo that
// ISupportErrorInfo vouches for, and fills the caller's EXCEPINFO, as ATL's
// servers do.
// clang-format off
#include <windows.h>
#include <oleauto.h>
#include <oaidl.h>
// clang-format on

#include <optional>
#include <string>

#include "base/error.h"
#include "win32/base/com_ptr.h"
#include "win32/base/ref_counted.h"
#include "win32/base/variant.h"

namespace varnel::standin {

// The strict stand-in's type library, loaded from the running exe's
// resources and registered (with the marshalling of its interfaces) on the
// first call; throws varnel::base::Error when that fails.
ITypeLib& strictTypeLibrary();
// The vtable type info of a dual interface of that library.
win::ComPtr<ITypeInfo> vtableTypeInfo(REFIID iid);

// The HRESULT a member answers for error: HRESULT-sized numbers as they are,
// small ones as FACILITY_CONTROL codes, as automation servers report them.
HRESULT hresultOf(const base::Error& error);
// Sets the thread's IErrorInfo to error, from source iid.
void raiseErrorInfo(const base::Error& error, REFIID iid);

template <class Interface>
class TypedObject : public win::RefCounted<Interface, ISupportErrorInfo> {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == __uuidof(Interface))
      *out = static_cast<Interface*>(this);
    else if (iid == IID_ISupportErrorInfo)
      *out = static_cast<ISupportErrorInfo*>(this);
    else
      *out = otherInterface(iid);
    if (!*out) return E_NOINTERFACE;
    this->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID, ITypeInfo** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    typeInfo_->AddRef();
    *out = typeInfo_.get();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    return DispGetIDsOfNames(typeInfo_.get(), names, count, ids);
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO* exception,
                                   UINT* badArgument) override {
    failure_.reset();
    EXCEPINFO converted{};
    HRESULT outcome = DispInvoke(static_cast<Interface*>(this), typeInfo_.get(), id, flags, params,
                                 result, &converted, badArgument);
    SysFreeString(converted.bstrSource);
    SysFreeString(converted.bstrDescription);
    SysFreeString(converted.bstrHelpFile);
    if (failure_) outcome = failed(*failure_, exception);
    return outcome;
  }
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == __uuidof(Interface) || iid == IID_IDispatch ? S_OK : S_FALSE;
  }

 protected:
  TypedObject() : typeInfo_(vtableTypeInfo(__uuidof(Interface))) {}
  virtual ~TypedObject() = default;
  // Further interfaces the object answers.
  virtual void* otherInterface(REFIID) { return nullptr; }

  // Runs a member's body; nothing it throws leaves the COM call.
  template <class Body>
  HRESULT guarded(Body&& body) noexcept {
    try {
      body();
      return S_OK;
    } catch (const base::Error& e) {
      failure_ = e;
    } catch (const std::exception& e) {
      failure_ = base::Error(E_FAIL, e.what());
    }
    raiseErrorInfo(*failure_, __uuidof(Interface));
    return hresultOf(*failure_);
  }

 private:
  // As IDispatch's contract has it: DISP_E_EXCEPTION with the error in
  // EXCEPINFO when the caller gave one, else the member's own HRESULT; the
  // thread's IErrorInfo describes it either way.
  HRESULT failed(const base::Error& error, EXCEPINFO* exception) {
    raiseErrorInfo(error, __uuidof(Interface));
    if (!exception) return hresultOf(error);
    *exception = EXCEPINFO{};
    exception->bstrSource = SysAllocString(L"PowerLogic.Application");
    exception->bstrDescription = win::Bstr(error.text()).release();
    exception->scode = hresultOf(error);
    return DISP_E_EXCEPTION;
  }

  win::ComPtr<ITypeInfo> typeInfo_;
  std::optional<base::Error> failure_;
};

}  // namespace varnel::standin
