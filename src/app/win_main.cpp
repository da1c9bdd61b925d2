#include "app/win_main.h"

#include "app/command_line.h"
#include "app/config_file.h"
#include "app/demo_runs.h"
#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "app/run_outputs.h"
#include "app/state_trail.h"
#include "audio/music.h"
#include "audio/sound_effects.h"
#include "core/exit_status.h"
#include "core/game_state.h"
#include "game/game_step.h"
#include "game/start_game.h"
#include "input/joystick.h"
#include "overlay/overlay.h"
#include "platform/os/dialog.h"
#include "platform/os/display_loss.h"
#include "platform/os/end_signals.h"
#include "platform/os/messages.h"
#include "platform/os/turns.h"
#include "scene/camera_select.h"
#include "scene/scene.h"
#include "vexel/vexel.h"

namespace app {

using namespace platform::os;

namespace {

// False when the player cancelled the dialog.
bool ChooseDisplayMode() {
  game::GameState& g = game::gameState;
  if (!runOptions.SkipDialog())
    return DialogBoxParam(ModeDialogTemplate(), g.mainWindow, ModeDialogProc, 0) != dlg::kIdCancel;
  SelectDisplayMode(runOptions.mode < 0 ? 0 : runOptions.mode);
  g.windowedMode = runOptions.windowed == 1;
  return true;
}

// Drains every waiting message; false when WM_QUIT came.
bool DrainMessages(int& quitCode) {
  Message m;
  while (PeekMessage(m)) {
    if (m.message == msg::kQuit) {
      quitCode = static_cast<int>(m.wParam);
      PostQuitMessage(quitCode);
      return false;
    }
    TranslateMessage(m);
    DispatchMessage(m);
  }
  return true;
}

// --warp: once the speed is known (the calibration runs first), start the
// chosen stage as Enter on the title would.
void WarpWhenReady(int& stage) {
  game::GameState& g = game::gameState;
  if (stage == 0 || g.calibrationPhase != game::CalibrationPhase::Off) return;
  g.stageNumber = stage;
  game::StartGameFromTitle();
  stage = 0;
}

void Teardown() {
  // Also after the pad was unplugged: the watch for the next one, and the
  // untouched default buttons, are given back before the file is written.
  input::ReleaseJoystick();
  audio::UnloadMusic();
  audio::CloseMusic();
  audio::ReleaseSoundEffects();
  audio::ReleaseSound();
  overlay::ReleaseOverlayObjects();
  scene::ReleaseScene();
  vexel::VexelCleanup();
  WriteConfigFile();
}

}  // namespace

int WinMain(const platform::Backends& backends, void* instance, void*, const char*, int showCommand) {
  game::GameState& g = game::gameState;
  for (int slot = 1; slot <= 8; ++slot) g.buttonAssign[slot] = -1;
  ReadConfigFile();
  // A display lost under the game ends the process at once: the settings
  // are saved on the way, as Escape would have.
  SetDisplayLostHook([] {
    input::ForgetUntouchedDefaults();
    WriteConfigFile();
  });
  const bool chosen = ChooseDisplayMode();
  // Nothing was shown yet: an earlier trail stays as it was.
  if (EndSignal() || !chosen) AbandonTrail();
  // An end signal while the dialog waited: nothing was shown yet to end.
  if (EndSignal()) return WriteConfigFile(), core::kExitSuccess;
  // Cancelled: nothing was started, so nothing is torn down or written.
  if (!chosen) return core::kExitSuccess;
  if (!CreateMainWindow(instance, showCommand)) return core::kExitFailed;
  // COM has no counterpart here: nothing to initialise, nothing that fails.
  if (!vexel::InitGraphics()) return core::kExitFailed;
  overlay::LoadOverlayBitmaps();
  if (!scene::BuildScene()) return core::kExitFailed;
  audio::InitSound(backends.Sound());
  audio::LoadSoundEffects();
  audio::musicObjects.soundFont = runOptions.soundFont;
  // Music reports its own failures, and the game plays on without it.
  audio::InitMusic(backends.Music()).Ignore("reported by the music itself");
  audio::LoadMusic().Ignore("reported by the music itself");
  g.joystickAvailable = input::InitJoystick(backends.Joystick());

  int warp = runOptions.warp;
  for (;;) {
    int quitCode = 0;
    if (!DrainMessages(quitCode)) return core::kExitSuccess;
    // A window closed from outside, or a scripted run that has played its
    // turns, ends the same orderly way as Escape.
    if (CloseRequested()) break;
    WarpWhenReady(warp);
    DemoRunTurn();
    if (!game::GameStep()) break;
    if (runOptions.camera) scene::SetCamera(runOptions.camera);
    overlay::RenderFrame();
    audio::ServiceMusic();
    RecordTrailTurn(CurrentTurn());
    EndTurn();
  }
  const bool written = WriteRunOutputs();
  Teardown();
  return written ? core::kExitSuccess : core::kExitOutputFailed;
}

}  // namespace app
