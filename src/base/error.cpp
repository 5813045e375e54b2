#include "base/error.h"

#include <cstdio>

namespace varnel::base {

Error::Error(std::int64_t number, std::string text)
    : std::runtime_error(text), number_(number), text_(std::move(text)) {}

Error Error::withLead(std::string lead) const {
  Error led = *this;
  led.lead_ = std::move(lead);
  return led;
}

namespace errors {

Error overflow() {
  return Error(kOverflow, "Overflow");
}
Error subscriptOutOfRange() {
  return Error(kSubscriptOutOfRange, "Subscript out of range");
}
Error typeMismatch() {
  return Error(kTypeMismatch, "Type mismatch");
}
Error objectNotSet() {
  return Error(kObjectNotSet, "Object variable or With block variable not set");
}
Error cannotCreateObject() {
  return Error(kCannotCreateObject, "ActiveX component can't create object");
}

Error fileNotFound(const std::string& path) {
  return Error(kFileNotFound, "File not found: " + path);
}

Error fileAccess(const std::string& path, const std::string& why) {
  return Error(kPathFileAccess,
               "Path/File access error: " + path + (why.empty() ? "" : ": " + why));
}

Error refusal(std::int64_t number, const std::string& why) {
  return Error(number, why + " Nothing was renamed.");
}

bool isHostGone(std::int64_t number) {
  switch (number & 0xFFFFFFFF) {
    case 0x800706BA:  // RPC_S_SERVER_UNAVAILABLE
    case 0x800706BE:  // RPC_S_CALL_FAILED
    case 0x800706BF:  // RPC_S_CALL_FAILED_DNE
    case 0x80010007:  // RPC_E_SERVER_DIED
    case 0x80010012:  // RPC_E_SERVER_DIED_DNE
    case 0x80010108:  // RPC_E_DISCONNECTED
    case 0x800401FD:  // CO_E_OBJNOTCONNECTED
      return true;
    default:
      return false;
  }
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

}  // namespace varnel::base

namespace varnel::base {

std::string userMessage(const Error& error) {
  return error.lead().empty() ? describe(error) : error.lead() + "\n" + describe(error);
}

}  // namespace varnel::base
