#pragma once
// The reference count of a small COM object, Varnel's or a stand-in's:
// AddRef and Release for every interface the object implements, and the
// object deleted at its last Release. An object starts with the one
// reference that its creator adopts (ComPtr::adopt, or a pointer handed
// out as an [out] argument).
#include <windows.h>

namespace varnel::win {

template <class... Interfaces>
class RefCounted : public Interfaces... {
 public:
  RefCounted() = default;
  RefCounted(const RefCounted&) = delete;
  RefCounted& operator=(const RefCounted&) = delete;

  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return left;
  }

 protected:
  virtual ~RefCounted() = default;

 private:
  LONG references_ = 1;
};

}  // namespace varnel::win
