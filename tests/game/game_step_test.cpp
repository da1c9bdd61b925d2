#include "game/game_step.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "core/timers.h"
#include "game/excavator.h"
#include "support/fresh_state.h"

namespace os = platform::os;
using game::gameState;
using game::Mode;

namespace {

class GameStep : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test_support::FreshWindow()); }
  // One main-loop turn without the frame: drain (timers), step, end the turn.
  bool Turn() {
    test_support::Drain();
    bool go = game::GameStep();
    os::EndTurn();
    return go;
  }
  void Hold(int key, bool down) { os::SetKeyDown(key, down); }
};

}  // namespace

TEST_F(GameStep, ModePriorityFollowsTheFlags) {
  EXPECT_EQ(game::CurrentMode(), Mode::Title);
  gameState.stageIntroActive = true;
  gameState.resultPhase = game::ScreenPhase::Entering;
  EXPECT_EQ(game::CurrentMode(), Mode::Title) << "a higher flag hides a lower one";
  gameState.titlePhase = game::TitlePhase::Off;
  EXPECT_EQ(game::CurrentMode(), Mode::StageIntro);
  gameState.stageIntroActive = false;
  EXPECT_EQ(game::CurrentMode(), Mode::Result);
  gameState.resultPhase = game::ScreenPhase::Off;
  EXPECT_EQ(game::CurrentMode(), Mode::Playing);
  gameState.fallPhase = game::FallPhase::Falling;
  EXPECT_EQ(game::CurrentMode(), Mode::Fall);
  gameState.allClearedPhase = game::ScreenPhase::Entering;
  EXPECT_EQ(game::CurrentMode(), Mode::AllCleared);
  gameState.replayActive = true;
  EXPECT_EQ(game::CurrentMode(), Mode::Replay);
  gameState.attractDemoActive = true;
  EXPECT_EQ(game::CurrentMode(), Mode::AttractDemo);
  gameState.calibrationPhase = game::CalibrationPhase::Finished;
  EXPECT_EQ(game::CurrentMode(), Mode::Calibration);
}

TEST_F(GameStep, HoldingF1StepsQualityEveryHalfSecondStartingAtWireframe) {
  Hold(os::vk::kF1, true);
  std::vector<int> seen;
  for (int turn = 0; turn < 150; ++turn) {  // 2.5 s at 60 turns a second
    int before = gameState.renderQualityIndex;
    Turn();
    if (gameState.renderQualityIndex != before) seen.push_back(gameState.renderQualityIndex);
  }
  // wireframe, unlit flat, flat, Gouraud, Phong, then wireframe again
  EXPECT_EQ(seen, (std::vector<int>{2, 3, 4, 5, 1}));
  EXPECT_EQ(game::renderQualityTable[seen.front()], 0x40u);
}

TEST_F(GameStep, CalibrationRunsAloneAndEscapeStillEnds) {
  gameState.calibrationPhase = game::CalibrationPhase::Start;
  Hold(os::vk::kF1, true);
  Hold(os::vk::kF1 + 1, true);  // F2
  for (int turn = 0; turn < 60; ++turn) ASSERT_TRUE(Turn());
  EXPECT_EQ(gameState.renderQualityIndex, 1);
  EXPECT_EQ(gameState.musicEnabled, 1);
  EXPECT_EQ(gameState.calibrationPhase, game::CalibrationPhase::Counting);
  Hold(os::vk::kEscape, true);
  EXPECT_FALSE(Turn());
}

TEST(Calibration, ClampsBothWays) {
  test_support::FreshState();
  for (auto [frames, speed] : {std::pair{0, 5.0f}, {500, 1.0f}, {300, 5.0f}, {380, 2.0f}}) {
    gameState.calibrationPhase = game::CalibrationPhase::Finished;
    gameState.calibrationFrames = frames;
    game::CalibrateSpeed();
    EXPECT_NEAR(gameState.speedFactor, speed, 1e-5f) << frames;
    EXPECT_EQ(gameState.calibrationPhase, game::CalibrationPhase::Off);
  }
}
