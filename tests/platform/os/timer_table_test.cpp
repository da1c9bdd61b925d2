#include "platform/os/timer_table.h"

#include <gtest/gtest.h>

using platform::os::TimerTable;

namespace {
constexpr std::int64_t kMs = 1'000'000;
}

TEST(TimerTable, FiresOncePerPeriodAndLosesMissedPeriods) {
  TimerTable t;
  t.Arm(5, 100, 0);
  EXPECT_FALSE(t.TakeDue(99 * kMs));
  EXPECT_EQ(t.TakeDue(100 * kMs), 5u);
  EXPECT_FALSE(t.TakeDue(100 * kMs)) << "one pending message per id";
  // Nobody looked for 350 ms: one message, not three, and the cadence holds.
  EXPECT_EQ(t.TakeDue(450 * kMs), 5u);
  EXPECT_FALSE(t.TakeDue(499 * kMs));
  EXPECT_EQ(t.TakeDue(500 * kMs), 5u);
}

TEST(TimerTable, RearmingRestartsThePeriodAndKillStopsIt) {
  TimerTable t;
  t.Arm(11, 200, 0);
  t.Arm(11, 200, 150 * kMs);
  EXPECT_FALSE(t.TakeDue(200 * kMs));
  EXPECT_EQ(t.TakeDue(350 * kMs), 11u);
  t.Kill(11);
  EXPECT_FALSE(t.TakeDue(10'000 * kMs));
  t.Kill(99);  // killing an unknown id is harmless
}

TEST(TimerTable, ZeroPeriodDoesNotFireForever) {
  TimerTable t;
  t.Arm(1, 0, 0);
  EXPECT_EQ(t.TakeDue(1 * kMs), 1u);
  EXPECT_FALSE(t.TakeDue(1 * kMs));
}
