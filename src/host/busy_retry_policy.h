#pragma once
// What becomes of a call that a busy host rejected (a dialog open in it, a
// long command running): tried again quietly for a while, then the user is
// asked whether to wait on; the answer for COM's RetryRejectedCall.
#include <cstdint>
#include <functional>
#include <optional>

namespace varnel::host {

class BusyRetryPolicy {
 public:
  static constexpr std::uint32_t kQuietRetryMs = 5000;  // before the user is asked
  static constexpr std::uint32_t kRetryDelayMs = 250;   // between two tries

  // waitOn asks the user; true: wait on (Retry), false: give up (Cancel).
  explicit BusyRetryPolicy(std::function<bool()> waitOn);

  // For a call first made elapsedMs ago and rejected again: milliseconds
  // until it is tried again, or nothing to end it (it then fails as
  // rejected). A smaller elapsedMs than the last one is a call of its own.
  std::optional<std::uint32_t> onRejected(std::uint32_t elapsedMs);

 private:
  std::function<bool()> waitOn_;
  std::uint32_t lastElapsed_ = 0;
  std::uint32_t waitingSince_ = 0;  // elapsed time when the user last chose to wait
};

}  // namespace varnel::host
