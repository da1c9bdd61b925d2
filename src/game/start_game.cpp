#include "game/start_game.h"

#include "core/game_state.h"
#include "game/orders.h"
#include "scene/camera_select.h"
#include "scene/scene_objects.h"

namespace game {

void StartGameFromTitle() {
  GameState& g = gameState;
  g.titlePhase = TitlePhase::Off;
  if (scene::objects.lightFrame)
    scene::objects.lightFrame->SetPosition(scene::objects.sceneRoot.get(), -50, 100, 30)
        .Ignore(scene::kPoseResultUnused);
  g.cameraIndex = 8;
  scene::SetCamera(8);
  g.stageIntroActive = true;
  NewOrder();
}

}  // namespace game
