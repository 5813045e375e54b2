#pragma once
// The move-only owner of a BSTR.
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

}  // namespace varnel::win
