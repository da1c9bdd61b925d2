// A search for dead ends and for parts pushed into solid things: random and
// stubborn key sequences (each combination held for a while, so that the
// machine is driven into the table's edge, the pots and the dishes) on every
// stage, checking after each step that
//   - a step undone by a collision leaves a pose the next step accepts
//     (otherwise every later move would be undone for ever), and
//   - no accepted pose has a probe of the bucket or arm inside the table top,
//     a pot's wall or a dish, cake or spoon.
// ZARN_DEAD_END_WALKS sets the number of walks per stage and pace (CI keeps
// it small; scripts/dead-end-search runs many and fails on any probe found
// inside a solid).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "game/collision.h"
#include "game/excavator.h"
#include "game/start_game.h"
#include "platform/os/keyboard.h"
#include "platform/rm/ray_pick.h"
#include "support/built_scene.h"
#include "support/succeeds.h"

namespace os = platform::os;
using game::gameState;
using platform::rm::Vec3;
using scene::objects;

namespace {

struct Solid {
  const scene::Frame* frame;
  const char* name;
};

class DeadEndSearch : public test_support::BuiltScene {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists("table-D.x")) GTEST_SKIP() << "needs the built models";
    BuiltScene::SetUp();
  }

  void StartStage(int stage, float pace) {
    gameState.speedFactor = pace;
    gameState.stageNumber = stage;
    game::StartGameFromTitle();
    gameState.stageIntroActive = false;
  }

  // One playing step and the scene's advance, as a main-loop turn does; the
  // pose the step accepted (tested, or put back) is checked before it moves.
  bool Step(const std::vector<int>& keys, const std::vector<Solid>& solids, std::string& wrong) {
    os::ClearKeyboard();
    for (int k : keys) os::SetKeyDown(k, true);
    gameState.poseRevertedByCollision = gameState.poseRevertedByBase = false;
    game::PlayExcavatorStep();
    wrong = Trespass(solids);
    EXPECT_OK(objects.sceneRoot->Move(gameState.speedFactor));
    return gameState.poseRevertedByCollision || gameState.poseRevertedByBase;
  }

  // The closed solids on the stage: its table, the pots' walls, the dishes,
  // cakes and spoon (parked ones wait far above). The cup and glass are left
  // out: a bucket may hang inside them, and their bands are open surfaces
  // that would spoil the count.
  std::vector<Solid> Solids() const {
    std::vector<Solid> solids;
    for (auto& [f, name] :
         std::initializer_list<std::pair<scene::Ref<scene::Frame>*, const char*>>{{&objects.tableAFrame, "the table"},
                                                                                  {&objects.tableBFrame, "the table"},
                                                                                  {&objects.tableCFrame, "the table"},
                                                                                  {&objects.tableDFrame, "the table"},
                                                                                  {&objects.coffeeJarFrame, "a pot"},
                                                                                  {&objects.milkJarFrame, "a pot"},
                                                                                  {&objects.sugarJarFrame, "a pot"},
                                                                                  {&objects.dish1Frame, "a dish"},
                                                                                  {&objects.dish2Frame, "a dish"},
                                                                                  {&objects.dish3Frame, "a dish"},
                                                                                  {&objects.cakeFrame, "a cake"},
                                                                                  {&objects.cake2Frame, "a cake"},
                                                                                  {&objects.spoonFrame, "the spoon"}})
      if (*f && WorldPosition(*f).y < 500) solids.push_back({f->get(), name});
    return solids;
  }

  // Why the accepted pose is wrong, or empty when it is not: a probe of the
  // bucket or arm inside a closed solid (a ray from it crosses the solid's
  // surface an odd number of times).
  std::string Trespass(const std::vector<Solid>& solids) const {
    std::vector<Vec3> probes;
    for (std::size_t i = 1; i < objects.bucketProbe.size(); ++i)
      probes.push_back(WorldPosition(objects.bucketProbe[i]));
    for (std::size_t i = 1; i < objects.armProbe.size(); ++i) probes.push_back(WorldPosition(objects.armProbe[i]));
    std::vector<platform::rm::Pick> picks;
    for (Vec3 p : probes) {
      picks.clear();
      // Slightly askew, so that the ray meets no edge of the upright models.
      EXPECT_OK(objects.sceneRoot->RayPick(objects.sceneRoot.get(), platform::rm::Ray{p, Vec3{0.0123f, 1, 0.0071f}}, 0,
                                           &picks, 100));
      for (const Solid& solid : solids) {
        int crossings = 0;
        for (const auto& pick : picks) crossings += pick.frame.get() == solid.frame;
        if (crossings % 2 == 1)
          return std::string("a probe inside ") + solid.name + " at (" + std::to_string(p.x) + ", " +
                 std::to_string(p.y) + ", " + std::to_string(p.z) + ")";
      }
    }
    return {};
  }
};

// The combinations a player can hold: drive, swing, boom, arm, bucket.
std::vector<std::vector<int>> KeyCombinations() {
  using namespace os::vk;
  std::vector<std::vector<int>> c;
  for (int arrow : {kUp, kDown, kLeft, kRight})
    for (std::vector<int> mods :
         {std::vector<int>{kTab}, {kShift}, {kControl}, {kShift, kControl}, {kTab, kShift}, {kTab, kControl}}) {
      mods.push_back(arrow);
      c.push_back(mods);
    }
  c.push_back({kControl, kUp, kLeft});
  c.push_back({kControl, kDown, kRight});
  return c;
}

}  // namespace

TEST_F(DeadEndSearch, EveryUndoLeavesAMovablePoseAndNoProbeEntersASolid) {
  const char* env = std::getenv("ZARN_DEAD_END_WALKS");
  const int walks = env ? std::max(1, std::atoi(env)) : 3;
  const auto combinations = KeyCombinations();
  std::mt19937 random(20261206);
  int undone = 0, steps = 0, trespasses = 0, deadEnds = 0;
  for (int stage = 1; stage <= 5; ++stage)
    for (float pace : {1.0f, 5.0f})
      for (int walk = 0; walk < walks; ++walk) {
        StartStage(stage, pace);
        const auto solids = Solids();
        for (int held = 0; held < 60 && gameState.fallPhase == game::FallPhase::OnTable; ++held) {
          const auto& keys = combinations[random() % combinations.size()];
          const int turns = 1 + static_cast<int>(random() % (pace > 1 ? 12 : 40));
          for (int t = 0; t < turns && gameState.fallPhase == game::FallPhase::OnTable; ++t, ++steps) {
            SCOPED_TRACE("stage " + std::to_string(stage) + ", pace " + std::to_string(pace) + ", walk " +
                         std::to_string(walk) + ", step " + std::to_string(steps));
            std::string wrong;
            if (Step(keys, solids, wrong)) {
              ++undone;
              // The chassis undo leaves the joints moving for one more turn,
              // which may meet something, and a pose put back that fails
              // again is put back exactly the second time; after that
              // everything stands.
              bool again = Step({}, solids, wrong);
              if (again) again = Step({}, solids, wrong);
              if (again && deadEnds++ < 5) ADD_FAILURE() << "the pose an undo put back was itself undone: a dead end";
            }
            if (!wrong.empty() && trespasses++ < 20)
              std::printf("stage %d, pace %.0f, walk %d, step %d: %s\n", stage, pace, walk, steps, wrong.c_str());
          }
        }
      }
  RecordProperty("steps", steps);
  RecordProperty("undone", undone);
  RecordProperty("dead ends", deadEnds);
  std::printf("%d steps, %d undone, %d dead ends, %d with a probe inside a solid\n", steps, undone, deadEnds,
              trespasses);
  EXPECT_GT(undone, 0) << "the walks never met anything: they test nothing";
  // Probes inside solids are listed above; scripts/dead-end-search makes them
  // fail the search (known open findings are in docs/porting.md).
  if (std::getenv("ZARN_DEAD_END_STRICT")) {
    EXPECT_EQ(trespasses, 0);
  }
}
