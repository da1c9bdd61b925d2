#include "game/game_step.h"

#include "audio/music.h"
#include "audio/sound_effects.h"
#include "core/game_state.h"
#include "core/timers.h"
#include "game/excavator.h"
#include "game/motion.h"
#include "game/run_log.h"
#include "game/screens.h"
#include "game/title_menu.h"
#include "input/joystick.h"
#include "overlay/overlay.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "vexel/vexel.h"

namespace game {

using platform::os::KeyDown;
namespace vk = platform::os::vk;

Mode CurrentMode() {
  const GameState& g = gameState;
  if (g.calibrationPhase != CalibrationPhase::Off) return Mode::Calibration;
  if (g.attractDemoActive) return Mode::AttractDemo;
  if (g.replayActive) return Mode::Replay;
  if (g.allClearedPhase != ScreenPhase::Off) return Mode::AllCleared;
  if (g.titlePhase != TitlePhase::Off) return Mode::Title;
  if (g.stageIntroActive) return Mode::StageIntro;
  if (g.resultPhase != ScreenPhase::Off) return Mode::Result;
  return g.fallPhase == FallPhase::OnTable ? Mode::Playing : Mode::Fall;
}

namespace {

void NextRenderQuality() {
  GameState& g = gameState;
  platform::os::SetTimer(g.mainWindow, core::kTimerQualityLatch, 500);
  g.qualityKeyLatch = true;
  g.renderQualityIndex += 1;
  if (g.renderQualityIndex > 5) g.renderQualityIndex = 1;
  if (vexel::vexelContext.device)
    vexel::vexelContext.device->SetQuality(renderQualityTable[g.renderQualityIndex])
        .Ignore("a quality the device refuses leaves the one it had");
}

void PlayingStep(const platform::os::KeyboardState& keys) {
  GameState& g = gameState;
  if (KeyDown(keys, 'K') && !g.toggleKeyLatch) {
    g.toggleKeyLatch = true;
    platform::os::SetTimer(g.mainWindow, core::kTimerToggleLatch, 200);
    g.keyGuideVisible = !g.keyGuideVisible;
  }
  if (g.keyGuideVisible) overlay::DrawKeyGuide();
  overlay::DrawClock();
  PlayExcavatorStep();
  ++runLog.playingTurns;
}

}  // namespace

bool GameStep() {
  GameState& g = gameState;
  platform::os::KeyboardState keys;
  platform::os::GetKeyboardState(keys);
  input::TakeUpPluggedJoystick();
  input::PollJoystickButtons();
  input::PollJoystickAxes();

  if (g.calibrationPhase != CalibrationPhase::Off) {
    CalibrateSpeed();
    return !KeyDown(keys, vk::kEscape);
  }
  if (KeyDown(keys, vk::kF1 + 1)) audio::ToggleMusic();
  if (KeyDown(keys, vk::kF1) && !g.qualityKeyLatch) NextRenderQuality();
  audio::UpdateSoundPositions();
  StopExcavatorMotion();

  switch (CurrentMode()) {
    case Mode::AttractDemo: RunDemoScreen(); break;
    case Mode::Replay: RunReplayScreen(); break;
    case Mode::AllCleared: RunAllCleared(); break;
    case Mode::Title: TitleStep(); break;
    case Mode::StageIntro: RunStageIntro(); break;
    case Mode::Result: RunResultScreen(); break;
    case Mode::Playing:
      PlayingStep(keys);
      AimCameras();
      break;
    case Mode::Fall:
      UpdateFall();
      AimCameras();
      break;
    case Mode::Calibration: break;
  }
  return !KeyDown(keys, vk::kEscape);
}

}  // namespace game
