#pragma once
// The move-only owner of a VARIANT.
// clang-format off
#include <windows.h>
#include <oleauto.h>
// clang-format on

#include <string>
#include <utility>

#include "win32/base/bstr.h"

namespace varnel::win {

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

}  // namespace varnel::win
