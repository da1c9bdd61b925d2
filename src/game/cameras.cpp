// Choosing among the ten cameras and keeping the following ones on the
// excavator.
#include <cmath>

#include "core/game_state.h"
#include "core/timers.h"
#include "game/excavator.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "scene/camera_select.h"
#include "scene/scene_objects.h"

namespace game {

using platform::os::KeyDown;
using platform::rm::Constraint;
using platform::rm::Vec3;
using scene::objects;

void ChooseCamera() {
  GameState& g = gameState;
  platform::os::KeyboardState keys;
  platform::os::GetKeyboardState(keys);
  if (g.cameraIndex >= 1 && g.cameraIndex <= 10) scene::SetCamera(g.cameraIndex);
  // F3 .. F10, tested in this order.
  constexpr int kCameraOfKey[] = {8, 6, 7, 1, 4, 2, 5, 3};
  for (int i = 0; i < 8; ++i)
    if (KeyDown(keys, platform::os::vk::kF1 + 2 + i)) {
      g.cameraIndex = kCameraOfKey[i];
      scene::SetCamera(g.cameraIndex);
    }
  bool change = KeyDown(keys, platform::os::vk::kReturn) || g.buttonDown[1];
  if (change && !g.toggleKeyLatch) {
    g.cameraIndex += 1;
    g.toggleKeyLatch = true;
    platform::os::SetTimer(g.mainWindow, core::kTimerToggleLatch, 200);
    // The cycle runs over cameras 1 to 8; 9 and 10 belong to the screens.
    if (g.cameraIndex == 9) g.cameraIndex = 1;
    scene::SetCamera(g.cameraIndex);
  }
}

void PlaceFollowingCameras() {
  if (!objects.bodyFrame || !objects.tableCenterFrame) return;
  const scene::Frame* centre = objects.tableCenterFrame.get();
  Vec3 p;
  objects.bodyFrame->GetPosition(centre, &p).Ignore(scene::kPoseResultUnused);
  float d = std::sqrt(p.x * p.x + p.z * p.z);
  if (80 - d > 3 && objects.camera[8])
    objects.camera[8]->SetPosition(centre, 3 * p.x, 80 - d, 3 * p.z).Ignore(scene::kPoseResultUnused);
  if (objects.camera[1])
    objects.camera[1]->SetPosition(centre, 2.2f * p.x, 70 - d, 2.2f * p.z).Ignore(scene::kPoseResultUnused);
  const scene::Frame* body = objects.bodyFrame.get();
  if (objects.camera[6])
    objects.camera[6]->SetPosition(body, 0.3f * p.x + 35, 40, 0.3f * p.z).Ignore(scene::kPoseResultUnused);
  if (objects.camera[7])
    objects.camera[7]->SetPosition(body, 0.3f * p.x - 35, 40, 0.3f * p.z).Ignore(scene::kPoseResultUnused);
}

void AimCameras() {
  auto aim = [](scene::Ref<scene::Frame>& camera, scene::Ref<scene::Frame>& target, scene::Ref<scene::Frame>& ref) {
    if (camera && target) camera->LookAt(target.get(), ref.get(), Constraint::Z).Ignore(scene::kPoseResultUnused);
  };
  aim(objects.bucketWatchFrame, objects.bucketFrame, objects.sceneRoot);
  aim(objects.camera[1], objects.baseFrame, objects.tableCenterFrame);
  aim(objects.camera[5], objects.bucketFrame, objects.sceneRoot);
  aim(objects.camera[6], objects.bodyFrame, objects.tableCenterFrame);
  aim(objects.camera[7], objects.bodyFrame, objects.tableCenterFrame);
  aim(objects.camera[8], objects.baseFrame, objects.tableCenterFrame);
}

}  // namespace game
