#include "app/window_proc.h"

#include "audio/sound_effects.h"
#include "core/game_state.h"
#include "core/timers.h"
#include "demo/demo.h"
#include "input/joystick.h"
#include "platform/os/messages.h"
#include "scene/replay_view.h"
#include "vexel/vexel.h"

namespace app {

using namespace platform::os;

void HandleTimer(Window* window, std::uintptr_t id) {
  game::GameState& g = game::gameState;
  switch (id) {
    case core::kTimerClock: g.elapsedSeconds += 1; break;
    case core::kTimerToggleLatch:
      KillTimer(window, core::kTimerToggleLatch);
      g.toggleKeyLatch = false;
      break;
    case core::kTimerQualityLatch:
      KillTimer(window, core::kTimerQualityLatch);
      g.qualityKeyLatch = false;
      break;
    case core::kTimerMusicLatch:
      KillTimer(window, core::kTimerMusicLatch);
      g.musicKeyLatch = false;
      break;
    case core::kTimerConfigLatch:
      KillTimer(window, core::kTimerConfigLatch);
      g.configKeyLatch = false;
      break;
    case core::kTimerCalibration:
      KillTimer(window, core::kTimerCalibration);
      g.calibrationPhase = game::CalibrationPhase::Finished;
      break;
    case core::kTimerOrderShown:
      KillTimer(window, core::kTimerOrderShown);
      g.orderDonePhase = game::OrderDonePhase::Hidden;
      SetTimer(window, core::kTimerOrderHidden, 1000);
      break;
    case core::kTimerOrderHidden:
      KillTimer(window, core::kTimerOrderHidden);
      g.orderDonePhase = game::OrderDonePhase::Waiting;
      break;
    case core::kTimerScoreCount:
      g.resultCountTicks += 1;
      audio::PlayOnce(audio::SoundEffect::ScoreTick);
      if (g.resultCountTicks > 16) KillTimer(window, core::kTimerScoreCount);
      break;
    case core::kTimerReplayStart:
      KillTimer(window, core::kTimerReplayStart);
      g.playbackIndex = 0;
      g.replayActive = true;
      SetTimer(window, core::kTimerDemoPlay, 100);
      scene::ShowReplayView();
      g.cameraIndex = 10;
      break;
    case core::kTimerDemoRecord: demo::RecordDemoSample(); break;
    case core::kTimerDemoPlay: demo::PlayDemoSample(); break;
    default: break;  // not one of ours: ignored
  }
}

LResult MainWindowProc(Window* window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
  switch (message) {
    case msg::kSysCommand:
      // Alt and F10 (a camera key) must never open the system menu.
      if (wParam == kScKeyMenu) return 0;
      return DefWindowProc(window, message, wParam, lParam);
    case msg::kPaint:
      if (!vexel::vexelContext.windowed) return DefWindowProc(window, message, wParam, lParam);
      if (!vexel::VexelPaint(window)) DefWindowProc(window, message, wParam, lParam);
      return 0;
    case msg::kActivateApp: {
      vexel::ActivateHandle(wParam);
      // The joystick is read only while the game is in front; take it up
      // again on return so it never stays frozen.
      input::OnAppActivate(wParam != 0);
      if (!vexel::vexelContext.windowed && vexel::vexelContext.active) ShowCursor(false);
      return DefWindowProc(window, message, wParam, lParam);
    }
    case msg::kTimer: HandleTimer(window, wParam); return 0;
    case msg::kMciNotify: return 0;
    default: return DefWindowProc(window, message, wParam, lParam);
  }
}

}  // namespace app
