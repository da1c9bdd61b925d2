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
             {71, "the bucket's edge is in the coffee", {{"bucketDipped", 1}, {"bucketIngredient", 1}}, {}},
             {110,
              "lifted out turned over: loaded with coffee",
              {{"bucketDipped", 0}, {"bucketLoaded", 1}, {"bucketIngredient", 1}},
              {{"bucketAmount", 200}}},
             {201,
              "carried over the cup, nothing lost on the way",
              {{"bucketLoaded", 1}, {"cupCoffee", 0}},
              {{"bucketAmount", 80}}},
             {225,
              "tilted: the load went into the cup",
              {{"bucketLoaded", 0}, {"glassCoffee", 0}, {"cupMilk", 0}},
              {{"cupCoffee", 50}}},
         });
}

// The milk only comes out of its pot: the pot's rim (12) stands too high for a
// bucket turned over far enough to hold anything to be lifted over it from the
// table's edge, so the run stops with the load in the pot.
TEST_F(Scenario, MilkIsScoopedOutOfItsPotInStageThree) {
  Expect(3, "stage3_milk_scoop.txt",
         {
             {90, "the bucket's edge is in the milk", {{"bucketDipped", 1}, {"bucketIngredient", 2}}, {}},
             {132, "curled in the milk: still dipped, not yet loaded", {{"bucketDipped", 1}, {"bucketLoaded", 0}}, {}},
             {140,
              "lifted out of the milk: loaded with milk, and it stays",
              {{"bucketDipped", 0}, {"bucketLoaded", 1}, {"bucketIngredient", 2}, {"glassMilk", 0}, {"cupMilk", 0}},
              {{"bucketAmount", 150}}},
         });
}

// Waits for a milk pot whose rim the loaded bucket can clear from the table's
// edge: the script is made for the pot and milk 2 lower than now (rim 10,
// milk 7). With those it pours 142 of milk into the glass.
TEST_F(Scenario, DISABLED_MilkScoopedInStageThreeIsPouredIntoTheGlass) {
  Expect(3, "stage3_milk_into_glass.txt",
         {
             {130, "turned over in the milk", {{"bucketDipped", 1}, {"bucketIngredient", 2}}, {}},
             {132,
              "lifted out: loaded with milk",
              {{"bucketDipped", 0}, {"bucketLoaded", 1}, {"bucketIngredient", 2}},
              {{"bucketAmount", 200}}},
             {221, "carried over the glass", {{"bucketLoaded", 1}, {"glassMilk", 0}}, {{"bucketAmount", 150}}},
             {235,
              "tilted: the load went into the glass",
              {{"bucketLoaded", 0}, {"cupMilk", 0}, {"glassCoffee", 0}},
              {{"glassMilk", 50}}},
         });
}
