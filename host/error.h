#pragma once
// An error as the user sees it: a number and a text. Numbers are either the
// classic run-time error numbers (6, 9, 91, 429) or HRESULTs (0x80040202).
#include <cstdint>
#include <stdexcept>
#include <string>

namespace varnel {

class Error : public std::runtime_error {
 public:
  Error(std::int64_t number, std::string text);

  std::int64_t number() const noexcept { return number_; }
  const std::string& text() const noexcept { return text_; }

 private:
  std::int64_t number_;
  std::string text_;
};

namespace errors {

inline constexpr std::int64_t kOverflow = 6;
inline constexpr std::int64_t kSubscriptOutOfRange = 9;
inline constexpr std::int64_t kObjectNotSet = 91;
inline constexpr std::int64_t kCannotCreateObject = 429;
// The host's "no design loaded / no component in it".
inline constexpr std::int64_t kNoDesign = 0x80040202;

Error overflow();
Error subscriptOutOfRange();
Error objectNotSet();
Error cannotCreateObject();

}  // namespace errors

// Small numbers in decimal, HRESULT-sized ones as 0x80040202.
std::string formatErrorNumber(std::int64_t number);

// "error NUMBER: TEXT", the one way errors are printed.
std::string describe(const Error& error);

}  // namespace varnel
