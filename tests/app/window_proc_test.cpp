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

TEST_F(WindowProc, LatchesAndClockRelease) {
  gameState.toggleKeyLatch = gameState.qualityKeyLatch = gameState.musicKeyLatch = gameState.configKeyLatch = true;
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
