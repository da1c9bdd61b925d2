// The pace a player feels, at 60 turns a second: every motion follows
// "rate x speedFactor per turn"; the seconds for the pace table in the docs
// are recorded as test properties.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "core/game_state.h"
#include "game/excavator.h"
#include "game/start_game.h"
#include "support/built_scene.h"
#include "support/succeeds.h"

namespace os = platform::os;
using game::gameState;
using platform::rm::Vec3;
using scene::objects;

namespace {

class Pace : public test_support::BuiltScene {
 protected:
  void Turn(std::initializer_list<int> keys) {
    os::ClearKeyboard();
    for (int k : keys) os::SetKeyDown(k, true);
    game::PlayExcavatorStep();
    EXPECT_OK(objects.sceneRoot->Move(gameState.speedFactor));
  }
  double BoomAngle() {
    Vec3 direction, up;
    EXPECT_OK(objects.arm1Frame->GetOrientation(objects.bodyFrame.get(), &direction, &up));
    return std::atan2(up.z, up.y);
  }
  // Turns the boom, held one way, takes to meet its limit (which turns it back).
  int TurnsToBoomLimit(int key) {
    double before = BoomAngle(), step = 0;
    for (int turns = 0; turns < 10000; ++turns, before = BoomAngle()) {
      Turn({os::vk::kControl, key});
      if (step * (BoomAngle() - before) < 0) return turns;
      step = BoomAngle() - before;
    }
    return -1;
  }
};

TEST_F(Pace, DrivingAndTheBoomMoveRateTimesSpeedFactorPerTurn) {
  constexpr double kTableALength = 81 - 22;  // stage 1's fall-off rectangle along z
  for (int speed : {20, 60, 100}) {
    gameState.speedFactor = speed / 20.0f;
    gameState.stageNumber = 1;
    game::StartGameFromTitle();
    gameState.stageIntroActive = false;
    const Vec3 from = WorldPosition(objects.baseFrame);
    Turn({os::vk::kTab, os::vk::kUp});
    const Vec3 to = WorldPosition(objects.baseFrame);
    EXPECT_NEAR(std::hypot(to.x - from.x, to.z - from.z), 0.2 * gameState.speedFactor, 1e-4) << speed;
    const double angle = BoomAngle();
    Turn({os::vk::kControl, os::vk::kUp});
    EXPECT_NEAR(std::abs(BoomAngle() - angle), 0.02 * gameState.speedFactor, 1e-4) << speed;

    TurnsToBoomLimit(os::vk::kDown);
    const std::string name = "SPEED_" + std::to_string(speed);
    RecordProperty(name + "_table_A_seconds", std::to_string(kTableALength / (0.2 * gameState.speedFactor) / 60));
    RecordProperty(name + "_boom_sweep_seconds", std::to_string(TurnsToBoomLimit(os::vk::kUp) / 60.0));
  }
}

}  // namespace
