// The built models in the game's own scene and collision code: every stage
// starts with the excavator clear of its probes, and from the table's edge a
// bucket dips into each pot, turned over too. Pouring into the cup and the
// glass is played through in the end-to-end scenarios.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>

#include "core/game_state.h"
#include "game/collision.h"
#include "game/scoop_and_pour.h"
#include "game/stages.h"
#include "support/built_scene.h"
#include "support/succeeds.h"

namespace model_test {
namespace {

using game::gameState;
using game::Ingredient;
using platform::rm::Vec3;
using scene::objects;

class InGame : public test_support::BuiltScene {
 protected:
  void SetUp() override {
    // The scene loads the models by name from the working folder.
    std::filesystem::current_path(ZARN_RUN_DIR);
    BuiltScene::SetUp();
    // Orders that put both vessels in play.
    gameState.orderCup[Ingredient::Coffee] = 100;
    gameState.orderGlass[Ingredient::Coffee] = 100;
  }
};

// Turns a joint about +x relative to its parent.
void Turn(const scene::Ref<scene::Frame>& joint, const scene::Ref<scene::Frame>& parent, float degrees) {
  const float a = degrees * std::numbers::pi_v<float> / 180;
  EXPECT_OK(joint->SetOrientation(parent.get(), Vec3{0, -std::sin(a), std::cos(a)}, Vec3{0, std::cos(a), std::sin(a)}));
}

Vec3 WorldPosition(const scene::Ref<scene::Frame>& f) {
  Vec3 p;
  EXPECT_OK(f->GetPosition(objects.sceneRoot.get(), &p));
  return p;
}

TEST_F(InGame, EveryStageStartsClearAndOnTheTable) {
  for (int stage = 1; stage <= 5; ++stage) {
    SCOPED_TRACE(stage);
    ASSERT_TRUE(game::PlaceStageProps(stage));
    // The table is there (the models were found) ...
    const Vec3 start = WorldPosition(objects.baseFrame);
    EXPECT_EQ(game::ProbeHit({start.x, 1, start.z}, {start.x, -1, start.z}), game::Contact::Solid);
    // ... and the excavator neither meets itself nor hangs over the edge,
    // whichever way the upper structure is swung.
    EXPECT_TRUE(game::TableEdgeInside().inside);
    for (int swing = 0; swing < 360; swing += 30) {
      const float a = swing * std::numbers::pi_v<float> / 180;
      EXPECT_OK(
          objects.bodyFrame->SetOrientation(objects.baseFrame.get(), Vec3{std::sin(a), 0, std::cos(a)}, Vec3{0, 1, 0}));
      EXPECT_EQ(game::BaseBoxHits(), game::Contact::Clear) << swing;
      EXPECT_FALSE(game::BucketArmHits(false).hit) << swing;
    }
  }
}

// Stage 4 puts the pots and vessels 17 beyond the table's edges. The chassis
// stands 3.8 inside an edge, facing across it towards `target`.
void FaceAcrossTheEdge(Vec3 at, Vec3 target) {
  const Vec3 back = platform::rm::Normalize(Vec3{at.x - target.x, 0, at.z - target.z});
  EXPECT_OK(objects.baseFrame->SetPosition(objects.sceneRoot.get(), at));
  EXPECT_OK(objects.baseFrame->SetOrientation(objects.sceneRoot.get(), back, Vec3{0, 1, 0}));
}

// Calls `check` for every pose on a grid of the joint ranges whose bucket
// mouth lies within `radius` of `target`'s vertical axis; counts the poses
// it accepts.
// The joint windows: the boom, arm and bucket turn until a window of the
// ratio up.y / up.z pushes them back (the boom at 48.0 and -73.3 degrees, the
// arm at 48.0 and -84.3, the bucket at 45.0 and -125.0), and one step at the
// highest speed carries a joint a little past that.
constexpr float kBoomMin = -79.1f, kBoomMax = 53.8f;
constexpr float kArmMin = -90.1f, kArmMax = 53.8f;
constexpr float kBucketMin = -127.9f, kBucketMax = 47.9f;

template <typename Check>
int Poses(Vec3 target, float radius, Check check) {
  int found = 0;
  for (float boom = kBoomMin; boom <= kBoomMax; boom += 3)
    for (float arm = kArmMin; arm <= kArmMax; arm += 3)
      for (float bucket = kBucketMin; bucket <= kBucketMax; bucket += 4) {
        Turn(objects.arm1Frame, objects.bodyFrame, boom);
        Turn(objects.arm2Frame, objects.arm1Frame, arm);
        Turn(objects.bucketFrame, objects.arm2Frame, bucket);
        const Vec3 mouth = WorldPosition(objects.bucketMouthFrame);
        if (std::hypot(mouth.x - target.x, mouth.z - target.z) > radius) continue;
        // How full the bucket is: its up vector seen from the upper structure.
        const float upY = std::cos((boom + arm + bucket) * std::numbers::pi_v<float> / 180);
        found += check(mouth, -1000 * upY - 600) ? 1 : 0;
      }
  return found;
}

TEST_F(InGame, BucketDipsIntoEachPotFromTheTableEdge) {
  ASSERT_TRUE(game::PlaceStageProps(4));
  struct Pot {
    const scene::Ref<scene::Frame>& jar;
    Vec3 chassis;
    float surface;
    int index;
  };
  const Pot pots[] = {{objects.coffeeJarFrame, {-45 + 3.8f, 0.1f, 35}, 6, 1},
                      {objects.milkJarFrame, {45 - 3.8f, 0.1f, 45}, 7, 2},
                      {objects.sugarJarFrame, {0, 0.1f, 81 - 3.8f}, 6.8f, 3}};
  for (const Pot& pot : pots) {
    SCOPED_TRACE(pot.index);
    const Vec3 axis = WorldPosition(pot.jar);
    FaceAcrossTheEdge(pot.chassis, axis);
    ASSERT_TRUE(game::TableEdgeInside().inside);
    int dippedIn = 0, dippedFull = 0;
    Poses(axis, 8, [&](Vec3 mouth, float amount) {
      if (std::fabs(mouth.y - pot.surface) > 3) return false;
      const bool full = amount >= 300;
      const game::BucketArmProbe probe = game::BucketArmHits(full);  // turned over: already in
      if (!probe.dipped || probe.contacts.solid) return false;
      EXPECT_EQ(static_cast<int>(game::FindPot()), pot.index);
      (full ? dippedFull : dippedIn)++;
      return true;
    });
    // The lip goes in, and a bucket turned over to hold 300 or more can be
    // in the ingredient too.
    EXPECT_GT(dippedIn, 0);
    EXPECT_GT(dippedFull, 0);
  }
}

}  // namespace
}  // namespace model_test
