#pragma once
// An error as the user sees it: a number and a text. Numbers are either the
// classic run-time error numbers (6, 9, 91, 429) or HRESULTs (0x80040202).
#include <cstdint>
#include <stdexcept>
#include <string>

#include "base/error_numbers.h"

namespace varnel::base {

class Error : public std::runtime_error {
 public:
  Error(std::int64_t number, std::string text);

  std::int64_t number() const noexcept { return number_; }
  const std::string& text() const noexcept { return text_; }
  // What the program was doing when the error came, said before it; empty
  // when the error speaks for itself.
  const std::string& lead() const noexcept { return lead_; }
  Error withLead(std::string lead) const;

 private:
  std::int64_t number_;
  std::string text_;
  std::string lead_;
};

namespace errors {

Error overflow();
Error subscriptOutOfRange();
Error typeMismatch();
Error objectNotSet();
Error cannotCreateObject();
Error fileNotFound(const std::string& path);
// Error 75 on path, and why when it is known.
Error fileAccess(const std::string& path, const std::string& why = "");

// A run refused before its first rename: why, and that nothing was renamed.
Error refusal(std::int64_t number, const std::string& why);

// True for the failures that say the host's process is gone (the RPC server
// is unavailable, the call failed, the object was disconnected): every later
// call on the same objects fails alike, so only attaching afresh helps.
bool isHostGone(std::int64_t number);

}  // namespace errors

// Small numbers in decimal, HRESULT-sized ones as 0x80040202.
std::string formatErrorNumber(std::int64_t number);

// "error NUMBER: TEXT", the one way errors are printed.
std::string describe(const Error& error);

// The error as the user reads it: its lead, if any, on a line before describe().
std::string userMessage(const Error& error);

}  // namespace varnel::base
