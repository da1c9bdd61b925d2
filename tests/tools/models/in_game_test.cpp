// The built models in the game's own scene and collision code: every stage
// starts with the excavator clear of its probes, and a bucket lowered into a
// pot from the table's edge is dipped there, not stopped.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "excavator_rig.h"
#include "game/collision.h"
#include "game/game_state.h"
#include "game/scoop_and_pour.h"
#include "game/stages.h"
#include "support/built_scene.h"

namespace model_test {
namespace {

using game::gameState;
using platform::rm::Vec3;
using scene::objects;

class InGame : public test_support::BuiltScene {
 protected:
  void SetUp() override {
    // The scene loads the models by name from the working folder.
    std::filesystem::current_path(ZARN_RUN_DIR);
    BuiltScene::SetUp();
    // Orders that put both vessels in play.
    gameState.orderCupCoffee = 100;
    gameState.orderGlassCoffee = 100;
  }

  // Turns a joint about +x relative to its parent.
  static void Turn(const scene::Ref<scene::Frame>& joint, const scene::Ref<scene::Frame>& parent,
                   float degrees) {
    const float a = degrees * std::numbers::pi_v<float> / 180;
    joint->SetOrientation(parent.get(), Vec3{0, -std::sin(a), std::cos(a)},
                          Vec3{0, std::cos(a), std::sin(a)});
  }
};

TEST_F(InGame, EveryStageStartsClearAndOnTheTable) {
  for (int stage = 1; stage <= 5; ++stage) {
    SCOPED_TRACE(stage);
    ASSERT_TRUE(game::PlaceStageProps(stage));
    // The table is there (the models were found) ...
    const Vec3 start = WorldPosition(objects.baseFrame);
    EXPECT_EQ(game::ProbeHit({start.x, 1, start.z}, {start.x, -1, start.z}), 1);
    // ... and the excavator neither meets itself nor hangs over the edge,
    // whichever way the upper structure is swung.
    EXPECT_EQ(game::TableEdgeInside(), 1);
    for (int swing = 0; swing < 360; swing += 30) {
      const float a = swing * std::numbers::pi_v<float> / 180;
      objects.bodyFrame->SetOrientation(objects.baseFrame.get(),
                                        Vec3{std::sin(a), 0, std::cos(a)}, Vec3{0, 1, 0});
      EXPECT_EQ(game::BaseBoxHits(), 0) << swing;
      EXPECT_EQ(game::BucketArmHits(), 0) << swing;
    }
  }
}

TEST_F(InGame, BucketDipsIntoTheCoffeeFromTheTableEdge) {
  // Stage 4: the coffee pot stands 17 beyond the table's left edge at x -45.
  ASSERT_TRUE(game::PlaceStageProps(4));
  objects.baseFrame->SetPosition(objects.sceneRoot.get(), Vec3{-45 + 3.8f, 0.1f, 35});
  objects.baseFrame->SetOrientation(objects.sceneRoot.get(), Vec3{1, 0, 0}, Vec3{0, 1, 0});
  ASSERT_EQ(game::TableEdgeInside(), 1);
  const Vec3 pot = WorldPosition(objects.coffeeJarFrame);
  int dippedIn = 0, dippedFull = 0;
  for (float boom = kBoomMin; boom <= kBoomMax; boom += 3)
    for (float arm = kArmMin; arm <= kArmMax; arm += 3)
      for (float bucket = kBucketMin; bucket <= kBucketMax; bucket += 4) {
        Turn(objects.arm1Frame, objects.bodyFrame, boom);
        Turn(objects.arm2Frame, objects.arm1Frame, arm);
        Turn(objects.bucketFrame, objects.arm2Frame, bucket);
        // Only poses with the bucket's mouth over the pot and near the
        // surface are worth the rays.
        const Vec3 mouth = WorldPosition(objects.bucketMouthFrame);
        if (std::hypot(mouth.x - pot.x, mouth.z - pot.z) > 8 || std::fabs(mouth.y - 8) > 3)
          continue;
        const float upY = std::cos((boom + arm + bucket) * std::numbers::pi_v<float> / 180);
        gameState.bucketDipped = upY < -0.9f ? 1 : 0;  // turned over: already in
        game::BucketArmHits();
        if (gameState.bucketDipped != 1 || gameState.solidHit != 0) continue;
        EXPECT_EQ(game::FindPot(), 1);
        (upY < -0.9f ? dippedFull : dippedIn)++;
      }
  // The lip goes in ...
  EXPECT_GT(dippedIn, 0);
  // ... and a bucket turned over to hold 300 or more can be in the coffee.
  EXPECT_GT(dippedFull, 0);
}

}  // namespace
}  // namespace model_test
