#include "game/excavator.h"
#include "game/excavator_pose.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "core/game_state.h"
#include "game/start_game.h"
#include "support/built_scene.h"
#include "support/succeeds.h"

namespace os = platform::os;
using game::gameState;
using platform::rm::Vec3;
using scene::objects;

namespace {

float RateOf(const scene::Ref<scene::Frame>& f) {
  Vec3 axis;
  float rate = 0;
  EXPECT_OK(f->GetRotation(&axis, &rate));
  return rate;
}

float SpeedOf(const scene::Ref<scene::Frame>& f) {
  Vec3 v;
  bool withRotation = false;
  EXPECT_OK(f->GetVelocity(&v, &withRotation));
  return platform::rm::Length(v);
}

// Stage 4 in play, the excavator in the middle of the table with its arm up.
class Excavator : public test_support::BuiltScene {
 protected:
  void SetUp() override {
    BuiltScene::SetUp();
    gameState.speedFactor = 1.0f;
    gameState.stageNumber = 4;
    game::StartGameFromTitle();
    gameState.stageIntroActive = false;
    EXPECT_OK(objects.baseFrame->SetPosition(objects.sceneRoot.get(), 0, 0.1f, 40));
    game::SaveExcavatorPose();
  }
  void Press(std::initializer_list<int> keys) {
    os::ClearKeyboard();
    for (int k : keys) os::SetKeyDown(k, true);
  }
  void Step(std::initializer_list<int> keys) {
    Press(keys);
    game::PlayExcavatorStep();
  }
};

}  // namespace

TEST_F(Excavator, DriveNeedsExactlyOneArrowAndCombinesWithTheArm) {
  Step({os::vk::kTab, os::vk::kUp, os::vk::kLeft});
  EXPECT_EQ(SpeedOf(objects.baseFrame), 0.0f);
  EXPECT_EQ(RateOf(objects.baseFrame), 0.0f);
  Step({os::vk::kTab, os::vk::kShift, os::vk::kUp});
  EXPECT_FLOAT_EQ(SpeedOf(objects.baseFrame), 0.2f);
  EXPECT_FLOAT_EQ(RateOf(objects.arm2Frame), 0.02f) << "Up with Shift works the arm while driving";
  EXPECT_FLOAT_EQ(RateOf(objects.tireFrontLeftFrame), -0.05f);
  Step({os::vk::kTab, os::vk::kRight});
  EXPECT_FLOAT_EQ(RateOf(objects.baseFrame), 0.02f);
  EXPECT_FLOAT_EQ(RateOf(objects.tireFrontRightFrame), 0.05f);
}

TEST_F(Excavator, DippedBucketBlocksDrivingAndSwinging) {
  gameState.bucketDipped = true;
  Step({os::vk::kTab, os::vk::kUp, os::vk::kShift, os::vk::kLeft});
  EXPECT_EQ(SpeedOf(objects.baseFrame), 0.0f);
  EXPECT_EQ(RateOf(objects.bodyFrame), 0.0f);
}

TEST_F(Excavator, TheOverlappingBucketWindowsDriveItBack) {
  // Such a pose is never reached in play (the windows turn the bucket back
  // before it); without the arm's and bucket's meshes it is not a collision.
  for (auto* part : {&objects.arm2Frame, &objects.bucketFrame})
    while (!(*part)->Visuals().empty()) EXPECT_OK((*part)->DeleteVisual((*part)->Visuals().front().get()));
  // up.y / up.z = 0.85 lies in both bucket windows; the later one wins.
  Vec3 up = platform::rm::Normalize({0, 0.85f, 1}), dir = platform::rm::Normalize({0, 1, -0.85f});
  EXPECT_OK(objects.bucketFrame->SetOrientation(objects.arm2Frame.get(), dir, up));
  Step({});
  EXPECT_FLOAT_EQ(RateOf(objects.bucketFrame), -0.02f);
  EXPECT_OK(objects.bucketFrame->SetOrientation(objects.arm2Frame.get(), platform::rm::Normalize({0, 1, -0.75f}),
                                                platform::rm::Normalize({0, 0.75f, 1})));
  Step({os::vk::kControl, os::vk::kLeft});
  EXPECT_FLOAT_EQ(RateOf(objects.bucketFrame), 0.02f) << "inside a window the key has no say";
}

// A chassis moved into a dish (stage 4 has three on its table) is put back
// where the last accepted step left it, and the step says why. Only the
// chassis and the upper structure go back: the boom held meanwhile keeps its
// rate and moves on.
TEST_F(Excavator, AChassisThatMeetsADishGoesBackAndAHeldBoomStillMoves) {
  Vec3 direction, boomUp, boomUpAfter;
  EXPECT_OK(objects.arm1Frame->GetOrientation(objects.bodyFrame.get(), &direction, &boomUp));
  EXPECT_OK(objects.baseFrame->SetPosition(objects.sceneRoot.get(), 4, 0.1f, 55));
  Step({os::vk::kControl, os::vk::kDown});
  Vec3 p;
  EXPECT_OK(objects.baseFrame->GetPosition(objects.sceneRoot.get(), &p));
  EXPECT_EQ(gameState.poseRevertedByBase, 1);
  EXPECT_EQ(gameState.poseRevertedByCollision, 0);
  EXPECT_FLOAT_EQ(p.x, 0);
  EXPECT_FLOAT_EQ(p.z, 40);
  EXPECT_FLOAT_EQ(RateOf(objects.arm1Frame), 0.02f);
  EXPECT_OK(objects.sceneRoot->Move(gameState.speedFactor));
  EXPECT_OK(objects.arm1Frame->GetOrientation(objects.bodyFrame.get(), &direction, &boomUpAfter));
  EXPECT_GT(std::fabs(boomUpAfter.z - boomUp.z), 0.01f) << "the boom turned";
}
