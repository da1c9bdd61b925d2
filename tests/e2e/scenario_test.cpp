// Whole manoeuvres played from input scripts: the bucket dipped into a pot,
// lifted out loaded and tilted over a vessel until the vessel's tally shows
// the pour. The scripts in tests/scenarios explain every phase; the turns
// below are the ends of those phases.
#include <cmath>
#include <regex>
#include <utility>
#include <vector>

#include "e2e/zarn_run.h"

namespace {

double Field(const std::string& state, const std::string& name) {
  std::smatch m;
  if (!std::regex_search(state, m, std::regex("\"" + name + "\": ([-0-9.e]+)"))) return NAN;
  return std::stod(m[1]);
}

// What the state must show once a script has run for `turns` turns.
struct Checkpoint {
  int turns;
  const char* what;
  std::vector<std::pair<const char*, double>> equal;
  std::vector<std::pair<const char*, double>> atLeast;
};

class Scenario : public Run {
 protected:
  void SetUp() override {
    Run::SetUp();
    // A fixed pace: no calibration, and the steps the scripts were made for.
    Write("zarn.ini", "[Zarn_Section]\nSPEED=100\n");
  }

  std::string Play(int stage, const std::string& script, int turns) {
    const std::string input = std::string(ZARN_SOURCE_DIR) + "/tests/scenarios/" + script;
    const std::string args = "--headless --warp " + std::to_string(stage) + " --turns " + std::to_string(turns) +
                             " --input '" + input + "' --state '" + (dir / "s.json").string() + "'";
    fs::remove(dir / "s.json");
    EXPECT_EQ(Zarn(args, ZARN_RUN_DIR), 0) << errors;
    return Slurp(dir / "s.json");
  }

  void Expect(int stage, const std::string& script, const std::vector<Checkpoint>& checkpoints) {
    for (const Checkpoint& c : checkpoints) {
      SCOPED_TRACE(script + " after " + std::to_string(c.turns) + " turns: " + c.what);
      const std::string state = Play(stage, script, c.turns);
      ASSERT_FALSE(state.empty());
      // Nothing fell off the table, and the stage is still being played.
      EXPECT_EQ(Field(state, "fallPhase"), 0);
      EXPECT_EQ(Field(state, "titlePhase"), 0);
      EXPECT_EQ(Field(state, "stageIntroActive"), 0);
      EXPECT_EQ(Field(state, "stageNumber"), stage);
      for (const auto& [name, value] : c.equal) EXPECT_EQ(Field(state, name), value) << name;
      for (const auto& [name, value] : c.atLeast) EXPECT_GE(Field(state, name), value) << name;
    }
  }
};

}  // namespace

TEST_F(Scenario, CoffeeScoopedInStageOneIsPouredIntoTheCup) {
  Expect(1, "stage1_coffee_into_cup.txt",
         {
             {78, "the bucket's edge is in the coffee", {{"bucketDipped", 1}, {"bucketIngredient", 1}}, {}},
             {119,
              "lifted out turned over: loaded with coffee",
              {{"bucketDipped", 0}, {"bucketLoaded", 1}, {"bucketIngredient", 1}},
              {{"bucketAmount", 300}}},
             {214,
              "lifted over the rim and carried over the cup, nothing lost on the way",
              {{"bucketLoaded", 1}, {"cupCoffee", 0}},
              {{"bucketAmount", 250}}},
             {226,
              "tilted: the load went into the cup",
              {{"bucketLoaded", 0}, {"glassCoffee", 0}, {"cupMilk", 0}},
              {{"cupCoffee", 200}}},
         });
}

TEST_F(Scenario, MilkScoopedInStageThreeIsPouredIntoTheGlass) {
  Expect(3, "stage3_milk_into_glass.txt",
         {
             {130, "turned over in the milk", {{"bucketDipped", 1}, {"bucketIngredient", 2}}, {}},
             {132,
              "lifted out: loaded with milk",
              {{"bucketDipped", 0}, {"bucketLoaded", 1}, {"bucketIngredient", 2}},
              {{"bucketAmount", 200}}},
             {221,
              "lifted over the rim and carried over the glass",
              {{"bucketLoaded", 1}, {"glassMilk", 0}},
              {{"bucketAmount", 150}}},
             {235,
              "tilted: the load went into the glass",
              {{"bucketLoaded", 0}, {"cupMilk", 0}, {"glassCoffee", 0}},
              {{"glassMilk", 50}}},
         });
}
