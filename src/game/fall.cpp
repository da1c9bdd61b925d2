// Falling off the table: the chassis tumbles over the edge it left and the
// game goes back to the title once it is far below.
#include "audio/sound_effects.h"
#include "core/game_state.h"
#include "core/timers.h"
#include "game/excavator.h"
#include "platform/os/messages.h"
#include "scene/camera_select.h"
#include "scene/scene_objects.h"

namespace game {

using platform::rm::Vec3;
using scene::objects;

void UpdateFall() {
  GameState& g = gameState;
  if (g.fallPhase == FallPhase::LeftTable) {
    g.fallSpinRate = 0.008f;
    g.cameraIndex = 1;
    scene::SetCamera(1);
    audio::StopAllSounds();
    audio::PlayOnce(audio::SoundEffect::FallSound);
    g.fallPhase = FallPhase::Falling;
    g.fallVelocity = {0.02f * g.edgeOffsetX, -0.18f, 0.02f * g.edgeOffsetZ};
  }
  g.fallVelocity[1] -= 0.01f;
  if (!objects.baseFrame) return;
  const scene::Frame* ref = objects.fallRefFrame.get();
  objects.baseFrame->SetRotation(ref, {g.edgeOffsetZ, 0, -g.edgeOffsetX}, g.fallSpinRate)
      .Ignore(scene::kPoseResultUnused);
  objects.baseFrame->SetVelocity(ref, {g.fallVelocity[0], g.fallVelocity[1], g.fallVelocity[2]}, true)
      .Ignore(scene::kPoseResultUnused);
  Vec3 p;
  objects.baseFrame->GetPosition(objects.sceneRoot.get(), &p).Ignore(scene::kPoseResultUnused);
  if (p.y < -700) {
    platform::os::KillTimer(g.mainWindow, core::kTimerDemoRecord);
    g.titlePhase = TitlePhase::SetUp;
    g.fallPhase = FallPhase::OnTable;
    platform::os::KillTimer(g.mainWindow, core::kTimerClock);
    g.elapsedSeconds = 0;
  }
}

}  // namespace game
