#include "app/window_proc.h"

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "core/timers.h"
#include "support/fresh_state.h"

namespace os = platform::os;
using game::gameState;

namespace {

class WindowProc : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_support::FreshWindow());
    window = gameState.mainWindow;
  }
  void RunTurns(int n) {
    for (int i = 0; i < n; ++i) {
      test_support::Drain();
      os::EndTurn();
    }
  }
  os::Window* window = nullptr;
};

}  // namespace

TEST_F(WindowProc, ScoreCountTicksSeventeenTimes) {
  os::SetTimer(window, core::kTimerScoreCount, 240);
  RunTurns(60 * 10);
  EXPECT_EQ(gameState.resultCountTicks, 17);
}

TEST_F(WindowProc, OrderPromptBlinksShownThenHidden) {
  gameState.orderDonePhase = 1;
  os::SetTimer(window, core::kTimerOrderShown, 800);
  RunTurns(49);  // 800 ms is turn 48
  EXPECT_EQ(gameState.orderDonePhase, 2);
  RunTurns(60);
  EXPECT_EQ(gameState.orderDonePhase, 0);
}

TEST_F(WindowProc, ReplayStartsTenSecondsLaterWithCameraTen) {
  gameState.playbackIndex = 33;
  os::SetTimer(window, core::kTimerReplayStart, 10000);
  RunTurns(600);
  EXPECT_EQ(gameState.replayActive, 0);
  RunTurns(1);
  EXPECT_EQ(gameState.replayActive, 1);
  EXPECT_EQ(gameState.playbackIndex, 0);
  EXPECT_EQ(gameState.cameraIndex, 10);
}

TEST_F(WindowProc, LatchesAndClockRelease) {
  gameState.toggleKeyLatch = gameState.qualityKeyLatch = gameState.musicKeyLatch = gameState.configKeyLatch = 1;
  os::SetTimer(window, core::kTimerToggleLatch, 200);
  os::SetTimer(window, core::kTimerQualityLatch, 500);
  os::SetTimer(window, core::kTimerMusicLatch, 500);
  os::SetTimer(window, core::kTimerConfigLatch, 250);
  os::SetTimer(window, core::kTimerClock, 1000);
  RunTurns(13);
  EXPECT_EQ(gameState.toggleKeyLatch, 0);
  EXPECT_EQ(gameState.configKeyLatch, 1);
  RunTurns(30);
  EXPECT_EQ(gameState.qualityKeyLatch + gameState.musicKeyLatch + gameState.configKeyLatch, 0);
  RunTurns(600 - 43 + 1);
  EXPECT_EQ(gameState.elapsedSeconds, 10);
}

TEST_F(WindowProc, FullScreenReactivationHidesThePointerAgain) {
  vexel::vexelContext.windowed = 0;
  int before = os::ShowCursor(true) - 1;  // read the counter, then undo
  os::ShowCursor(false);
  app::MainWindowProc(window, os::msg::kActivateApp, 0, 0);
  EXPECT_EQ(vexel::vexelContext.active, 0);
  app::MainWindowProc(window, os::msg::kActivateApp, 1, 0);
  EXPECT_EQ(vexel::vexelContext.active, 1);
  EXPECT_EQ(os::ShowCursor(true), before - 1 + 1);
}
