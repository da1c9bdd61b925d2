// The pace a player feels, at 60 turns a second: how long driving the length
// of table A and sweeping the boom from one limit to the other take at each
// speed. Every figure must follow "rate x speedFactor per turn"; the seconds
// are recorded for the pace table in the docs.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "game/excavator.h"
#include "game/excavator_pose.h"
#include "game/game_state.h"
#include "game/start_game.h"
#include "support/built_scene.h"

namespace os = platform::os;
using game::gameState;
using platform::rm::Vec3;
using scene::objects;

namespace {

constexpr double kTurnsPerSecond = 60;
constexpr double kTableALength = 81 - 22;  // the stage 1 layout's fall-off rectangle, along z

class Pace : public test_support::BuiltScene {
 protected:
  void Start(float speedFactor) {
    gameState.speedFactor = speedFactor;
    gameState.stageNumber = 1;
    game::StartGameFromTitle();
    gameState.stageIntroActive = 0;
  }
  // One turn with `keys` held: the controls set the rates, the scene moves by
  // speedFactor.
  void Turn(std::initializer_list<int> keys) {
    os::ClearKeyboard();
    for (int k : keys) os::SetKeyDown(k, true);
    game::PlayExcavatorStep();
    objects.sceneRoot->Move(gameState.speedFactor);
  }
  double BoomAngle() {
    Vec3 direction, up;
    objects.arm1Frame->GetOrientation(objects.bodyFrame.get(), &direction, &up);
    return std::atan2(up.z, up.y);
  }
  // Turns until the boom, held one way, meets its limit: the limit pushes it
  // back, so it turns the other way for the first time.
  int TurnsToBoomLimit(int key) {
    int turns = 1;
    double before = BoomAngle();
    Turn({os::vk::kControl, key});
    const bool rising = BoomAngle() > before;
    for (before = BoomAngle(); turns < 10000; ++turns) {
      Turn({os::vk::kControl, key});
      if ((BoomAngle() > before) != rising) break;
      before = BoomAngle();
    }
    return turns;
  }
};

TEST_F(Pace, DrivingAndTheBoomFollowRateTimesSpeedFactorPerTurn) {
  double boomTurnsAtOne = 0;
  for (int speed : {20, 60, 100}) {
    const float factor = speed / 20.0f;
    Start(factor);
    Vec3 from = WorldPosition(objects.baseFrame);
    for (int i = 0; i < 10; ++i) Turn({os::vk::kTab, os::vk::kUp});
    Vec3 to = WorldPosition(objects.baseFrame);
    const double perTurn = std::hypot(to.x - from.x, to.z - from.z) / 10;
    EXPECT_NEAR(perTurn, 0.2 * factor, 1e-3) << "SPEED " << speed;

    double before = BoomAngle();
    Turn({os::vk::kControl, os::vk::kUp});
    EXPECT_NEAR(std::abs(BoomAngle() - before), 0.02 * factor, 1e-4) << "SPEED " << speed;

    TurnsToBoomLimit(os::vk::kDown);
    const int sweep = TurnsToBoomLimit(os::vk::kUp);
    if (speed == 20) boomTurnsAtOne = sweep;
    // A big step meets a limit window a step or so late.
    EXPECT_NEAR(sweep * factor, boomTurnsAtOne, 4 * factor) << "SPEED " << speed << ": one sweep, any speed";

    const double driveSeconds = kTableALength / perTurn / kTurnsPerSecond;
    RecordProperty("SPEED_" + std::to_string(speed) + "_table_A_seconds", std::to_string(driveSeconds));
    RecordProperty("SPEED_" + std::to_string(speed) + "_boom_sweep_seconds", std::to_string(sweep / kTurnsPerSecond));
  }
}

}  // namespace
