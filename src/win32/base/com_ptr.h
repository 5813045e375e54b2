#pragma once
// Move-only owner of one COM interface reference.
// clang-format off
#include <windows.h>
#include <unknwn.h>
// clang-format on

#include <utility>

namespace varnel::win {

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  // Takes over a reference the caller owns.
  static ComPtr adopt(T* raw) {
    ComPtr p;
    p.raw_ = raw;
    return p;
  }
  // Adds a reference of its own.
  static ComPtr share(T* raw) {
    if (raw) raw->AddRef();
    return adopt(raw);
  }
  ComPtr(ComPtr&& other) noexcept : raw_(std::exchange(other.raw_, nullptr)) {}
  ComPtr& operator=(ComPtr&& other) noexcept {
    if (this != &other) {
      reset();
      raw_ = std::exchange(other.raw_, nullptr);
    }
    return *this;
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { reset(); }

  T* get() const noexcept { return raw_; }
  T* operator->() const noexcept { return raw_; }
  explicit operator bool() const noexcept { return raw_ != nullptr; }
  // For out-parameters: releases what it held first.
  T** receive() noexcept {
    reset();
    return &raw_;
  }
  void** receiveVoid() noexcept { return reinterpret_cast<void**>(receive()); }
  void reset() noexcept {
    if (raw_) std::exchange(raw_, nullptr)->Release();
  }
  // Gives the reference back to the caller.
  T* release() noexcept { return std::exchange(raw_, nullptr); }

  template <class U>
  HRESULT query(REFIID iid, ComPtr<U>& out) const {
    return raw_ ? raw_->QueryInterface(iid, out.receiveVoid()) : E_POINTER;
  }

 private:
  T* raw_ = nullptr;
};

}  // namespace varnel::win
