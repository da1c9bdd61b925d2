#include <algorithm>
#include <string>

#include "app/timers.h"
#include "game/excavator.h"
#include "game/game_state.h"
#include "overlay/overlay.h"
#include "platform/os/messages.h"

namespace game {

// Counts the frames rendered in five seconds and derives the time step that
// makes the game run at the same pace on this machine.
void CalibrateSpeed() {
  GameState& g = gameState;
  switch (g.calibrationPhase) {
    case 1:
      g.calibrationFrames = 0;
      g.calibrationPhase = 2;
      platform::os::SetTimer(g.mainWindow, app::kTimerCalibration, 5000);
      break;
    case 2: {
      g.showcaseAngle += 0.015f;
      if (g.showcaseAngle > 3.14f) g.showcaseAngle = -3.14f;
      g.calibrationFrames += 1;
      std::string count = std::to_string(g.calibrationFrames);
      overlay::DrawFontText(4, 382, 500, count.c_str(), static_cast<int>(count.size()));
      break;
    }
    case 3:
      g.speedFactor = std::clamp(-0.0375f * static_cast<float>(g.calibrationFrames) + 16.25f, 1.0f, 5.0f);
      g.calibrationPhase = 0;
      break;
    default: break;
  }
}

}  // namespace game
