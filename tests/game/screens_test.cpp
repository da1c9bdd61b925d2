#include "game/screens.h"

#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "core/timers.h"
#include "demo/demo.h"
#include "game/game_step.h"
#include "game/result_screen.h"
#include "game/showcase.h"
#include "support/built_scene.h"

namespace os = platform::os;
using game::gameState;
using game::Ingredient;
using platform::rm::Vec3;
using scene::objects;

TEST(ScoreLine, TypesVerdictAndPointsInSeventeenCharacters) {
  // Below two digits the number is not cut or run into " points".
  const std::tuple<int, int, const char*> cases[] = {{100, 17, "Nice!! 100 points"},
                                                     {90, 17, "Good ! 90 points "},
                                                     {80, 17, "Good ! 80 points "},
                                                     {70, 17, "Bad !! 70 points "},
                                                     {10, 17, "Bad !! 10 points "},
                                                     {0, 17, "Bad !! 0 points  "},
                                                     {-10, 17, "Bad !! -10 points"},
                                                     {-80, 17, "Bad !! -80 points"},
                                                     {100, 0, ""},
                                                     {100, -2, ""},
                                                     {100, 6, "Nice!!"},
                                                     {-80, 40, "Bad !! -80 points"}};
  for (auto [score, chars, want] : cases) EXPECT_EQ(game::ScoreLine(score, chars), want) << score << "/" << chars;
  EXPECT_EQ(game::ScoreLineX(17), 315) << "centred on 400 at 10 pixels a character";
}

namespace {

class Screens : public test_support::BuiltScene {
 protected:
  void SetUp() override {
    BuiltScene::SetUp();
    gameState.calibrationPhase = game::CalibrationPhase::Off;
    gameState.speedFactor = 1;
    gameState.titlePhase = game::TitlePhase::Off;
    gameState.orderCup[Ingredient::Coffee] = 100;
  }
  // One main-loop turn without the picture: timers, then the step.
  void Turn() {
    test_support::Drain();
    game::GameStep();
    os::EndTurn();
  }
  void Turns(int n) {
    for (int i = 0; i < n; ++i) Turn();
  }
  // The state CheckOrderReady leaves: the screen to open, the count-up
  // running.
  void FinishOrder(int score) {
    gameState.resultPhase = game::ScreenPhase::Entering;
    gameState.orderScore = score;
    gameState.resultCountTicks = 0;
    os::SetTimer(gameState.mainWindow, core::kTimerScoreCount, 240);
  }
  void Press(int key) { os::SetKeyDown(key, true); }
  void Release(int key) { os::SetKeyDown(key, false); }
  const platform::rm::Frame* ViewportCamera() { return vexel::vexelContext.viewport->GetCamera(); }
  static void ExpectNear(Vec3 a, Vec3 b, const char* what) {
    for (auto [p, q] : {std::pair{a.x, b.x}, {a.y, b.y}, {a.z, b.z}}) EXPECT_NEAR(p, q, 1e-3f) << what;
  }
};

}  // namespace

TEST_F(Screens, EnterWaitsForTheWholeScoreLineAndEndsTheReplayTimer) {
  gameState.recordCount = 1000;  // a replay, once started, would still run at the end
  FinishOrder(90);
  Press(os::vk::kReturn);
  int turns = 0;
  for (; gameState.resultPhase != game::ScreenPhase::Off && turns < 600; ++turns) {
    ASSERT_LE(gameState.resultCountTicks, 17);
    EXPECT_TRUE(gameState.resultCountTicks == 17 || gameState.stageNumber == 1) << "stage moved on early";
    Turn();
  }
  ASSERT_EQ(gameState.resultPhase, game::ScreenPhase::Off);
  EXPECT_GE(turns, 17 * 240 * 60 / 1000) << "about 4.1 s at 60 turns a second";
  EXPECT_EQ(gameState.stageNumber, 2);
  EXPECT_GT(WorldPosition(objects.cupContentFrame).y, 900) << "drinks put away";

  Release(os::vk::kReturn);
  Turns(11 * 60);
  EXPECT_EQ(gameState.replayActive, 0) << "leaving the result screen stops its replay";
  EXPECT_EQ(gameState.cameraIndex, 8);
}

TEST_F(Screens, StagesFollowFromTheResultAndFromTheReplay) {
  struct Case {
    int stage;
    bool replay, button;
    int next;
  };
  for (Case c : {Case{1, false, true, 2}, Case{2, false, false, 5}, Case{2, true, true, 3}, Case{3, true, false, 4}}) {
    gameState.stageNumber = c.stage;
    gameState.resultPhase = game::ScreenPhase::Showing;
    gameState.resultCountTicks = 17;
    gameState.replayActive = c.replay;
    gameState.recordCount = 100;
    gameState.playbackIndex = 3;
    gameState.buttonDown[1] = c.button;
    if (!c.button) Press(os::vk::kReturn);
    c.replay ? game::RunReplayScreen() : game::RunResultScreen();
    Release(os::vk::kReturn);
    EXPECT_EQ(gameState.stageNumber, c.next) << c.stage << (c.replay ? " replay" : " result");
    EXPECT_EQ(gameState.replayActive, 0);
    EXPECT_EQ(gameState.stageIntroActive, 1);
  }
}

TEST_F(Screens, ReplayThatRunsOutReturnsToTheResultScreenOnce) {
  gameState.recordCount = 0;
  for (int i = 0; i < 3; ++i) demo::RecordDemoSample();
  ASSERT_EQ(gameState.recordCount, 3);
  FinishOrder(100);
  gameState.resultCountTicks = 17;
  Turns(10 * 60 + 2);
  ASSERT_EQ(gameState.replayActive, 1) << "ten seconds into the result screen";
  EXPECT_EQ(ViewportCamera(), objects.camera[10].get());

  for (int turns = 0; gameState.replayActive == 1 && turns < 120; ++turns) Turn();
  ASSERT_EQ(gameState.replayActive, 0) << "three samples take about 0.4 s";
  EXPECT_EQ(gameState.resultPhase, game::ScreenPhase::Showing);
  EXPECT_EQ(ViewportCamera(), objects.resultCamera.get());
  ExpectNear(WorldPosition(objects.cupFrame), {0, -200, 0}, "the cup back on show");
  ExpectNear(WorldPosition(objects.cupContentFrame), {0, -200, 0}, "with its drink");
  Vec3 camera = WorldPosition(objects.resultCamera);
  EXPECT_NEAR(std::hypot(camera.x, camera.z), 90, 1e-3f) << "one vessel, narrow orbit";
  int played = gameState.playbackIndex;

  Turns(25 * 60);
  EXPECT_EQ(gameState.replayActive, 0) << "no second replay";
  EXPECT_EQ(gameState.playbackIndex, played) << "playback stopped";
  EXPECT_EQ(gameState.resultPhase, game::ScreenPhase::Showing);

  Press(os::vk::kReturn);
  Turn();
  EXPECT_EQ(gameState.stageNumber, 2) << "Enter is taken at once";
}
