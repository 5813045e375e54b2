#include "host/busy_retry_policy.h"

#include <utility>

namespace varnel::host {

BusyRetryPolicy::BusyRetryPolicy(std::function<bool()> waitOn) : waitOn_(std::move(waitOn)) {}

std::optional<std::uint32_t> BusyRetryPolicy::onRejected(std::uint32_t elapsedMs) {
  if (elapsedMs < lastElapsed_) waitingSince_ = 0;  // another call
  lastElapsed_ = elapsedMs;
  if (elapsedMs - waitingSince_ < kQuietRetryMs) return kRetryDelayMs;
  if (!waitOn_ || !waitOn_()) return std::nullopt;
  waitingSince_ = elapsedMs;
  return kRetryDelayMs;
}

}  // namespace varnel::host
