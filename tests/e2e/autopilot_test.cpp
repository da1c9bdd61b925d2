// The autopilot through the built program: its trail, and a whole game won
// through the replays (the result route is the golden whole game's).

#include "e2e/zarn_run.h"

namespace {

class Autopilot : public Run {
 protected:
  void SetUp() override {
    Run::SetUp();
    Write("zarn.ini", "[Zarn_Section]\nSPEED=100\n");
  }
  int Play(const std::string& extra) {
    return Zarn("--headless --autopilot --warp 1 --turns 1500 " + extra, ZARN_RUN_DIR);
  }
};

}  // namespace

// The same command line gives the same trail, and a run that fails (its
// state file cannot be written) leaves the trail it would have replaced.
TEST_F(Autopilot, RepeatsItsTrailAndKeepsItWhenTheRunFails) {
  const fs::path first = dir / "a.trail", second = dir / "b.trail";
  ASSERT_EQ(Play("--trail '" + first.string() + "'"), 0) << errors;
  ASSERT_EQ(Play("--trail '" + second.string() + "'"), 0) << errors;
  std::string a = Slurp(first), b = Slurp(second);
  a.erase(0, a.find('\n'));  // the first line names the command line
  b.erase(0, b.find('\n'));
  EXPECT_GT(a.size(), 1000u);
  EXPECT_EQ(a, b);

  const std::string before = Slurp(first);
  EXPECT_NE(Play("--state '" + (dir / "no" / "s.json").string() + "' --trail '" + first.string() + "'"), 0);
  EXPECT_EQ(Slurp(first), before);
  for (const auto& entry : fs::directory_iterator(dir))
    EXPECT_FALSE(entry.path().filename().string().starts_with(".a.trail.tmp")) << "the abandoned trail is removed";
}

// From the title to All Cleared and back, Enter during each replay: all five
// stages. (The result route, stages 1, 2 and 5, is the golden whole game.)
TEST_F(Autopilot, WinsAWholeGameThroughTheReplays) {
  const fs::path state = dir / "replay.json";
  ASSERT_EQ(
      Zarn("--headless --autopilot --seed 1 --autopilot-route replay --state '" + state.string() + "'", ZARN_RUN_DIR),
      0)
      << errors;
  const std::string json = Slurp(state);
  EXPECT_EQ(StagesWonBest(json, "[1-5]"), 5) << json;
  EXPECT_NE(json.find("\"allClearedSeen\": true"), std::string::npos);
}
