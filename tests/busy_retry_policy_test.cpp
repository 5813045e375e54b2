#include "host/busy_retry_policy.h"

#include <gtest/gtest.h>

#include <vector>

namespace varnel {
namespace {

using host::BusyRetryPolicy;

TEST(BusyRetryPolicy, RetriesQuietlyThenAsksAndWaitsOnOrGivesUpAsTheUserSays) {
  std::vector<bool> answers;  // what the user presses, in turn: true for Retry
  int asked = 0;
  BusyRetryPolicy policy([&] { return answers.at(asked++); });
  EXPECT_EQ(policy.onRejected(0), BusyRetryPolicy::kRetryDelayMs);
  EXPECT_EQ(policy.onRejected(4999), BusyRetryPolicy::kRetryDelayMs);
  EXPECT_EQ(asked, 0) << "nobody is asked in the first five seconds";

  answers = {true, false};
  EXPECT_EQ(policy.onRejected(5000), BusyRetryPolicy::kRetryDelayMs) << "Retry";
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(policy.onRejected(9999), BusyRetryPolicy::kRetryDelayMs);
  EXPECT_EQ(asked, 1) << "five quiet seconds again after Retry";
  EXPECT_EQ(policy.onRejected(10000), std::nullopt) << "Cancel ends the call";
  EXPECT_EQ(asked, 2);
}

TEST(BusyRetryPolicy, EachCallHasItsOwnQuietSeconds) {
  int asked = 0;
  BusyRetryPolicy policy([&] { return ++asked, true; });
  EXPECT_TRUE(policy.onRejected(5200));
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(policy.onRejected(300), BusyRetryPolicy::kRetryDelayMs) << "another call";
  EXPECT_EQ(policy.onRejected(5100), BusyRetryPolicy::kRetryDelayMs);
  EXPECT_EQ(asked, 2) << "asked again only after that call's own five seconds";
  BusyRetryPolicy nobody({});
  EXPECT_EQ(nobody.onRejected(6000), std::nullopt) << "no one to ask: the call ends";
}

}  // namespace
}  // namespace varnel
