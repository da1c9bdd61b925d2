// The autopilot playing through the built program: a whole game won through
// the replays with the best verdict every stage, the run log in the state file,
// the same trail from the same command line, and a trail that is only
// replaced by a run that ends well.
#include <regex>

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

TEST_F(Autopilot, WinsStageOneWithTheBestVerdictAndRepeatsItsTrail) {
  const fs::path state = dir / "s.json", first = dir / "a.trail", second = dir / "b.trail";
  ASSERT_EQ(Play("--state '" + state.string() + "' --trail '" + first.string() + "'"), 0) << errors;
  const std::string json = Slurp(state);
  EXPECT_TRUE(std::regex_search(
      json, std::regex(R"("runLog": \[\s*\{"stage": 1, "score": 100, "verdict": "Nice!! ", "turns": [1-9][0-9]*\})")))
      << json.substr(json.find("\"runLog\""));
  EXPECT_NE(json.find("\"allClearedSeen\": false"), std::string::npos);

  ASSERT_EQ(Play("--trail '" + second.string() + "'"), 0) << errors;
  std::string a = Slurp(first), b = Slurp(second);
  // The first line names the command line; every turn after it must agree.
  a.erase(0, a.find('\n'));
  b.erase(0, b.find('\n'));
  EXPECT_GT(a.size(), 1000u);
  EXPECT_EQ(a, b);

  // A run that fails (its state file cannot be written) leaves the old trail.
  const std::string before = Slurp(first);
  EXPECT_NE(Play("--state '" + (dir / "no" / "s.json").string() + "' --trail '" + first.string() + "'"), 0);
  EXPECT_EQ(Slurp(first), before);
  EXPECT_FALSE(fs::exists(first.string() + ".part"));
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
  const std::string log = json.substr(json.find("\"runLog\""));
  const std::regex won(R"(\{"stage": [1-5], "score": 100, "verdict": "Nice!! ", "turns": [1-9][0-9]*\})");
  EXPECT_EQ(std::distance(std::sregex_iterator(log.begin(), log.end(), won), std::sregex_iterator()), 5) << log;
  EXPECT_NE(json.find("\"allClearedSeen\": true"), std::string::npos);
}
