// The live pace on a fake clock: a machine whose pictures cost more or less
// than a turn, and one that stalls. Sixty turns a second of wall time, never
// more; pictures dropped only to keep that, at most three turns in a row;
// a stall is not made up in a burst.
#include "platform/os/pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr std::int64_t kMs = 1'000'000;
constexpr std::int64_t kTurn = 16'666'667;  // as the live backend rounds 1/60 s

struct Paced {
  std::vector<std::int64_t> starts;  // when each turn began
  int pictures = 0;
  int longestWithoutPicture = 0;
};

// Plays turns for `seconds` of fake wall time. A turn costs `pictureCost`
// when it renders and `stepCost` when not; turn `stallTurn` takes `stall`
// more.
Paced Play(int seconds, std::int64_t pictureCost, std::int64_t stepCost, int stallTurn = -1, std::int64_t stall = 0) {
  platform::os::Pacer pacer(kTurn, 4);
  pacer.Start(0);
  Paced run;
  int withoutPicture = 0;
  for (std::int64_t now = 0; now < seconds * 1000 * kMs;) {
    const bool renders = pacer.RendersPicture();
    run.pictures += renders;
    withoutPicture = renders ? 0 : withoutPicture + 1;
    run.longestWithoutPicture = std::max(run.longestWithoutPicture, withoutPicture);
    if (static_cast<int>(run.starts.size()) == stallTurn) now += stall;
    run.starts.push_back(now);
    now = pacer.EndTurn(now + (renders ? pictureCost : stepCost));
  }
  return run;
}

// Never ahead of the schedule: turn n starts no earlier than n turns in.
bool NeverAhead(const Paced& run) {
  for (std::size_t n = 0; n < run.starts.size(); ++n)
    if (run.starts[n] < static_cast<std::int64_t>(n) * kTurn) return false;
  return true;
}

TEST(Pacer, SixtyTurnsASecondWhateverThePictureCosts) {
  // Quick pictures: every turn draws, each on its slot.
  Paced quick = Play(10, 5 * kMs, 2 * kMs);
  EXPECT_EQ(quick.starts.size(), 600u);
  EXPECT_EQ(quick.pictures, 600);
  EXPECT_EQ(quick.starts[599], 599 * kTurn);

  // Pictures dearer than a turn (a large mode): the turns keep the pace and
  // some run without a picture, never more than three in a row.
  Paced dear = Play(10, 40 * kMs, 3 * kMs);
  EXPECT_NEAR(static_cast<double>(dear.starts.size()), 600, 1);
  EXPECT_TRUE(NeverAhead(dear));
  EXPECT_GT(dear.pictures, 200);
  EXPECT_LT(dear.pictures, 400);
  EXPECT_LE(dear.longestWithoutPicture, 3);

  // Too slow even so: four turns per picture at most, slower than the pace
  // rather than jumping further.
  Paced slow = Play(10, 100 * kMs, 3 * kMs);
  EXPECT_LT(slow.starts.size(), 600u);
  EXPECT_EQ(slow.longestWithoutPicture, 3);
  EXPECT_NEAR(static_cast<double>(slow.starts.size()) / slow.pictures, 4, 0.05);
}

TEST(Pacer, AStallIsNotMadeUpInABurst) {
  Paced run = Play(10, 5 * kMs, 2 * kMs, 100, 2000 * kMs);
  EXPECT_TRUE(NeverAhead(run));
  // After two seconds lost, three turns catch up without a picture, then the
  // pace goes on from there: the lost time is let go.
  EXPECT_EQ(run.longestWithoutPicture, 3);
  const std::int64_t resumed = run.starts[101];
  const auto inNextSecond = std::count_if(run.starts.begin(), run.starts.end(),
                                          [&](std::int64_t t) { return t >= resumed && t < resumed + 1000 * kMs; });
  EXPECT_LE(inNextSecond, 60 + 3 + 1);  // a second's slots, both ends, and the catch-up
  EXPECT_NEAR(static_cast<double>(run.starts.size()), 600 - 120 + 3, 2);
}

}  // namespace
