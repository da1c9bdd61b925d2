#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>

#include "core/game_state.h"
#include "core/timers.h"
#include "game/excavator.h"
#include "overlay/font.h"
#include "overlay/overlay.h"
#include "platform/os/messages.h"
#include "platform/os/turns.h"
#include "platform/rm/portable_math.h"
#include "scene/scene_objects.h"
#include "vexel/vexel.h"

namespace game {

namespace {

// What the player waits for, under the count. Headless runs have no one
// waiting, and their pictures stay as they always were.
void ExplainTheCount() {
  if (!platform::os::TurnsOnRealClock()) return;
  constexpr std::string_view kLine = "Setting the pace";
  const int halfWidth = static_cast<int>(kLine.size()) * overlay::kPenAdvance / 2;
  const int displayWidth = std::max(gameState.displayWidth, 1);
  overlay::DrawText(overlay::font_row::kYellow, 400 - halfWidth * 800 / displayWidth, 524, kLine);
}

}  // namespace

// Counts the turns of five seconds and derives the time step from them. The
// turns are counted under the same pace as play (live, 60 a second whatever
// the picture costs), so every machine that keeps the pace gets the same
// step, and a given step covers the same ground per second in every mode.
void CalibrateSpeed() {
  GameState& g = gameState;
  switch (g.calibrationPhase) {
    case CalibrationPhase::Start:
      // The excavator turns alone far below the table while the frames
      // are counted.
      if (scene::objects.baseFrame)
        scene::objects.baseFrame->SetPosition(scene::objects.sceneRoot.get(), 0, -200, 0)
            .Ignore(scene::kPoseResultUnused);
      if (vexel::vexelContext.viewport)
        vexel::vexelContext.viewport->SetCamera(scene::objects.resultCamera).Ignore(scene::kCameraResultUnused);
      g.calibrationFrames = 0;
      g.calibrationPhase = CalibrationPhase::Counting;
      platform::os::SetTimer(g.mainWindow, core::kTimerCalibration, 5000);
      break;
    case CalibrationPhase::Counting: {
      g.showcaseAngle += 0.015f;
      if (g.showcaseAngle > 3.14f) g.showcaseAngle = -3.14f;
      if (auto& camera = scene::objects.resultCamera; camera && scene::objects.baseFrame) {
        camera
            ->SetPosition(scene::objects.sceneRoot.get(), 60 * platform::rm::Cos(g.showcaseAngle), -160,
                          60 * platform::rm::Sin(g.showcaseAngle))
            .Ignore(scene::kPoseResultUnused);
        camera->LookAt(scene::objects.baseFrame.get(), scene::objects.sceneRoot.get(), platform::rm::Constraint::Z)
            .Ignore(scene::kPoseResultUnused);
      }
      g.calibrationFrames += 1;
      std::string count = std::to_string(g.calibrationFrames);
      overlay::DrawFontText(4, 382, 500, count.c_str(), static_cast<int>(count.size()));
      ExplainTheCount();
      break;
    }
    case CalibrationPhase::Finished:
      g.speedFactor = std::clamp(-0.0375f * static_cast<float>(g.calibrationFrames) + 16.25f, 1.0f, 5.0f);
      g.calibrationPhase = CalibrationPhase::Off;
      break;
    case CalibrationPhase::Off: break;
  }
}

}  // namespace game
