#include "scene/scene.h"

#include "game/game_state.h"
#include "vexel/vexel.h"

namespace scene {

// The world's models and frames come with the scene; until then the build
// only does what the rest of the program relies on: it asks for the speed
// calibration when no speed is known, and switches rendering on.
bool BuildScene() {
  game::gameState.keyGuideVisible = 1;
  if (game::gameState.speedFactor == 0.0f) game::gameState.calibrationPhase = 1;
  vexel::VexelSetReady(1);
  return true;
}

bool RenderFrame() {
  if (!vexel::vexelContext.ready) return false;
  vexel::VexelPresent();
  vexel::VexelRestoreSurfaces();
  game::gameState.poseRevertedByCollision = 0;
  game::gameState.poseRevertedByBase = 0;
  return true;
}

void ReleaseScene() {}

}  // namespace scene
