#include "platform/rm/render_run_speeds.h"

#include <gtest/gtest.h>

#include <numeric>

namespace platform::rm {
namespace {

// Runs sized by how fast they went: the slower one is given less, pictures
// after pictures, but never next to nothing for one slow picture, and the
// shares always cover the whole picture.
TEST(RunSpeeds, GivesTheSlowerRunLessWithinBounds) {
  RunSpeeds speeds;
  EXPECT_FLOAT_EQ(speeds.Shares(2)[0], 0.5f);
  // The second run took half again as long for the same work.
  for (int picture = 0; picture < 40; ++picture) speeds.Learn({1.0f, 1.0f}, {1.0, 1.5});
  const std::vector<float> shares = speeds.Shares(2);
  EXPECT_NEAR(shares[0], 0.6f, 0.02f);
  EXPECT_NEAR(std::accumulate(shares.begin(), shares.end(), 0.0f), 1.0f, 1e-5f);
  // One picture whose run lost its core for long moves the split only so far.
  speeds.Learn({1.0f, 1.0f}, {1.0, 1000.0});
  const float afterSlowOne = speeds.Shares(2)[0];
  EXPECT_LT(afterSlowOne, 0.85f);
  // A run with nothing timed teaches nothing; another count of runs starts even.
  speeds.Learn({1.0f, 0.0f}, {1.0, 0.0});
  EXPECT_FLOAT_EQ(speeds.Shares(2)[0], afterSlowOne);
  EXPECT_FLOAT_EQ(speeds.Shares(3)[2], 1.0f / 3);
}

}  // namespace
}  // namespace platform::rm
