#pragma once
// Move-only owners of a BSTR and a VARIANT, and CoInitialize for a thread.
// clang-format off
#include <windows.h>
#include <oleauto.h>
// clang-format on

#include <string>
#include <utility>

namespace varnel::win {

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const std::string& utf8);
  Bstr(Bstr&& other) noexcept : raw_(std::exchange(other.raw_, nullptr)) {}
  Bstr& operator=(Bstr&& other) noexcept {
    if (this != &other) {
      reset();
      raw_ = std::exchange(other.raw_, nullptr);
    }
    return *this;
  }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { reset(); }

  BSTR get() const noexcept { return raw_; }
  BSTR* receive() noexcept {
    reset();
    return &raw_;
  }
  BSTR release() noexcept { return std::exchange(raw_, nullptr); }
  void reset() noexcept {
    if (raw_) SysFreeString(std::exchange(raw_, nullptr));
  }
  std::string utf8() const;

 private:
  BSTR raw_ = nullptr;
};

class Variant {
 public:
  Variant() { VariantInit(&value_); }
  static Variant fromInt(long value);
  static Variant fromString(const std::string& utf8);
  static Variant fromDouble(double value);
  static Variant fromBool(bool value);
  // Shares the object: adds a reference of its own.
  static Variant fromDispatch(IDispatch* object);
  // Takes over a value the caller owns (an out-parameter filled by COM).
  static Variant adopt(const VARIANT& owned) {
    Variant v;
    v.value_ = owned;
    return v;
  }
  Variant(Variant&& other) noexcept : value_(other.value_) { VariantInit(&other.value_); }
  Variant& operator=(Variant&& other) noexcept {
    if (this != &other) {
      VariantClear(&value_);
      value_ = other.value_;
      VariantInit(&other.value_);
    }
    return *this;
  }
  Variant(const Variant&) = delete;
  Variant& operator=(const Variant&) = delete;
  ~Variant() { VariantClear(&value_); }

  const VARIANT& get() const noexcept { return value_; }
  VARIANT* receive() noexcept {
    VariantClear(&value_);
    return &value_;
  }
  // Gives the value back to the caller, who must clear it.
  VARIANT release() noexcept {
    VARIANT out = value_;
    VariantInit(&value_);
    return out;
  }

 private:
  VARIANT value_;
};

// CoInitializeEx for this thread as a single-threaded apartment.
class ComApartment {
 public:
  ComApartment();
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment();

 private:
  HRESULT result_;
};

}  // namespace varnel::win
