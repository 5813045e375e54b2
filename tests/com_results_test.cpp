// Results and errors in the shapes automation servers give them, as the COM
// client reads them: a result by reference, an empty reference as a null
// IUnknown, an error through IErrorInfo instead of EXCEPINFO.
#include <gtest/gtest.h>

#include "win32/base/com_apartment.h"
#include "win32/base/variant.h"
#include "win32/com/com_error.h"
#include "win32/com/dispatch_object.h"
#include "win32/com/running_object.h"
#include "win32/com/variant_conversions.h"

namespace varnel {
namespace {

// A server object whose members answer in those shapes. With
// vouchesForErrors false it does not implement ISupportErrorInfo, so the
// thread's error information is not about its calls.
class OddShapes final : public IDispatch, public ISupportErrorInfo {
 public:
  explicit OddShapes(bool vouchesForErrors) : vouches_(vouchesForErrors) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    *out = nullptr;
    if (iid == IID_IUnknown || iid == IID_IDispatch)
      *out = static_cast<IDispatch*>(this);
    else if (iid == IID_ISupportErrorInfo && vouches_)
      *out = static_cast<ISupportErrorInfo*>(this);
    if (!*out) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID,
                                          DISPID* ids) override {
    const std::wstring name = names[0];
    *ids = name == L"Name" ? 1 : name == L"Item" ? 2 : name == L"Rename" ? 3 : DISPID_UNKNOWN;
    return *ids == DISPID_UNKNOWN ? DISP_E_UNKNOWNNAME : S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result,
                                   EXCEPINFO*, UINT*) override {
    switch (id) {
      case 1:  // the name by reference, as some servers give a property
        result->vt = VT_BYREF | VT_BSTR;
        result->pbstrVal = name_.receive();
        *result->pbstrVal = SysAllocString(L"R12");
        return S_OK;
      case 2:  // Nothing, as an IUnknown
        result->vt = VT_UNKNOWN;
        result->punkVal = nullptr;
        return S_OK;
      default: {  // failed, said through IErrorInfo, EXCEPINFO left alone
        win::ComPtr<ICreateErrorInfo> created;
        CreateErrorInfo(created.receive());
        created->SetDescription(const_cast<LPOLESTR>(L"Reference designator R6 is already in use"));
        win::ComPtr<IErrorInfo> info;
        created.query(IID_IErrorInfo, info);
        SetErrorInfo(0, info.get());
        return static_cast<HRESULT>(0x80040203);
      }
    }
  }
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override {
    return iid == IID_IDispatch ? S_OK : S_FALSE;
  }

 private:
  ULONG references_ = 1;
  bool vouches_;
  win::Bstr name_;  // what the by-reference result points at
};

win::DispatchObject oddShapes(bool vouchesForErrors) {
  return win::DispatchObject(win::ComPtr<IDispatch>::adopt(new OddShapes(vouchesForErrors)), "Odd");
}

TEST(ComResults, AResultByReferenceIsTheValueItRefersTo) {
  auto object = oddShapes(true);
  EXPECT_EQ(win::toText(object.get("Name")), "R12");
}

TEST(ComResults, ANullIUnknownIsAnEmptyReference) {
  auto object = oddShapes(true);
  EXPECT_FALSE(win::toObject(object.get("Item")));
}

TEST(ComResults, AnErrorThroughIErrorInfoKeepsItsText) {
  win::ComApartment apartment;
  auto object = oddShapes(true);
  try {
    object.call("Rename");
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), 0x80040203);
    EXPECT_EQ(e.text(), "Reference designator R6 is already in use");
  }
  // An object that does not vouch for the thread's error information: its
  // text is not taken for the call's.
  auto other = oddShapes(false);
  try {
    other.call("Rename");
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.number(), 0x80040203);
    EXPECT_NE(e.text(), "Reference designator R6 is already in use");
  }
}

TEST(ComResults, AutomationErrorsOfFacilityControlGiveTheirNumber) {
  EXPECT_EQ(win::comError(static_cast<HRESULT>(0x800A0035)).number(), 53);
  EXPECT_EQ(win::comError(static_cast<HRESULT>(0x80040202)).number(), 0x80040202);
}

}  // namespace
}  // namespace varnel
