// The live pace on a fake clock: sixty turns a second of wall time and never
// more, pictures dropped only to keep that (three turns in a row at most),
// and a stall not made up in a burst.
#include "platform/os/pacer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {

constexpr std::int64_t kMs = 1'000'000;
constexpr std::int64_t kTurn = 16'666'667;  // as the live backend rounds 1/60 s

struct Paced {
  std::vector<std::int64_t> starts;  // when each turn began
  int pictures = 0, longestWithoutPicture = 0;
  bool neverAhead = true;  // turn n never starts before n turns in
};

// Ten seconds of turns costing `pictureCost` when they render, `stepCost`
// when not; turn `stallTurn` takes `stall` more.
Paced Play(std::int64_t pictureCost, std::int64_t stepCost, int stallTurn = -1, std::int64_t stall = 0) {
  platform::os::Pacer pacer(kTurn, 4);
  pacer.Start(0);
  Paced run;
  for (std::int64_t now = 0, without = 0; now < 10'000 * kMs;) {
    const bool renders = pacer.RendersPicture();
    run.pictures += renders;
    without = renders ? 0 : without + 1;
    run.longestWithoutPicture = std::max<int>(run.longestWithoutPicture, without);
    if (static_cast<int>(run.starts.size()) == stallTurn) now += stall;
    run.neverAhead &= now >= static_cast<std::int64_t>(run.starts.size()) * kTurn;
    run.starts.push_back(now);
    now = pacer.EndTurn(now + (renders ? pictureCost : stepCost));
  }
  return run;
}

TEST(Pacer, SixtyTurnsASecondWhateverThePictureCosts) {
  Paced quick = Play(5 * kMs, 2 * kMs);
  EXPECT_EQ(quick.starts.size(), 600u);
  EXPECT_EQ(quick.pictures, 600) << "every turn draws, on its slot";
  EXPECT_EQ(quick.starts[599], 599 * kTurn);

  Paced dear = Play(40 * kMs, 3 * kMs);  // a picture dearer than two turns
  EXPECT_NEAR(static_cast<double>(dear.starts.size()), 600, 1);
  EXPECT_TRUE(dear.neverAhead);
  EXPECT_GT(dear.pictures, 200);
  EXPECT_LE(dear.longestWithoutPicture, 3);

  // Too slow even so: four turns a picture, slower than the pace rather than
  // jumping further.
  Paced slow = Play(100 * kMs, 3 * kMs);
  EXPECT_LT(slow.starts.size(), 600u);
  EXPECT_NEAR(static_cast<double>(slow.starts.size()) / slow.pictures, 4, 0.05);
}

TEST(Pacer, AStallIsNotMadeUpInABurst) {
  Paced run = Play(5 * kMs, 2 * kMs, 100, 2000 * kMs);
  EXPECT_TRUE(run.neverAhead);
  EXPECT_EQ(run.longestWithoutPicture, 3) << "three turns catch up, then a picture";
  const std::int64_t resumed = run.starts[100];
  EXPECT_LE(std::count_if(run.starts.begin(), run.starts.end(),
                          [&](std::int64_t t) { return t >= resumed && t < resumed + 1000 * kMs; }),
            60 + 3 + 1);  // a second's slots, both ends, and the catch-up
  EXPECT_NEAR(static_cast<double>(run.starts.size()), 600 - 120 + 3, 2) << "the lost time is let go";
}

}  // namespace
