#include "host/error.h"

#include <cstdio>

namespace varnel {

Error::Error(std::int64_t number, std::string text)
    : std::runtime_error(text), number_(number), text_(std::move(text)) {}

namespace errors {

Error overflow() {
  return Error(kOverflow, "Overflow");
}
Error subscriptOutOfRange() {
  return Error(kSubscriptOutOfRange, "Subscript out of range");
}
Error objectNotSet() {
  return Error(kObjectNotSet, "Object variable or With block variable not set");
}
Error cannotCreateObject() {
  return Error(kCannotCreateObject, "ActiveX component can't create object");
}

}  // namespace errors

std::string formatErrorNumber(std::int64_t number) {
  if (number >= 0 && number <= 0xFFFF) return std::to_string(number);
  char text[24];
  std::snprintf(text, sizeof text, "0x%08llX",
                static_cast<unsigned long long>(number) & 0xFFFFFFFFull);
  return text;
}

std::string describe(const Error& error) {
  return "error " + formatErrorNumber(error.number()) + ": " + error.text();
}

}  // namespace varnel
