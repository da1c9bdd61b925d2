#include "game/screen_parts.h"

#include <cmath>
#include <string>

#include "core/game_state.h"
#include "overlay/overlay.h"
#include "platform/os/keyboard.h"
#include "platform/rm/portable_math.h"

namespace game {

using platform::rm::Constraint;
using platform::rm::Vec3;
using scene::objects;

void OrbitResultCamera(float& angle, float step, float radius, float height, const scene::Ref<scene::Frame>& placedIn,
                       const scene::Ref<scene::Frame>& target) {
  angle += step;
  if (angle > 3.14f) angle = -3.14f;
  const scene::Ref<scene::Frame>& camera = objects.resultCamera;
  if (!camera || !placedIn || !target) return;
  camera->SetPosition(placedIn.get(), radius * platform::rm::Cos(angle), height, radius * platform::rm::Sin(angle))
      .Ignore(scene::kPoseResultUnused);
  camera->LookAt(target.get(), objects.sceneRoot.get(), Constraint::Z).Ignore(scene::kPoseResultUnused);
}

void FollowPlayback() {
  const scene::Ref<scene::Frame>& camera = objects.camera[10];
  const scene::Ref<scene::Frame>& centre = objects.tableCenterFrame;
  if (!camera || !centre || !objects.bodyFrame) return;
  Vec3 p;
  objects.bodyFrame->GetPosition(centre.get(), &p).Ignore(scene::kPoseResultUnused);
  float d = std::sqrt(p.x * p.x + p.z * p.z);
  // Near the rim the camera would come down to the table top; it stays
  // where it was instead.
  if (70 - d > 3) camera->SetPosition(centre.get(), 3 * p.x, 70 - d, 3 * p.z).Ignore(scene::kPoseResultUnused);
  if (objects.baseFrame)
    camera->LookAt(objects.baseFrame.get(), centre.get(), Constraint::Z).Ignore(scene::kPoseResultUnused);
}

void DrawScreenText(int row, int x, int y, const char* text) {
  overlay::DrawFontText(row, x, y, text, static_cast<int>(std::char_traits<char>::length(text)));
}

bool KeyOrButtonDown(int key, bool orButton) {
  platform::os::KeyboardState keys;
  platform::os::GetKeyboardState(keys);
  return platform::os::KeyDown(keys, key) || (orButton && gameState.buttonDown[1]);
}

}  // namespace game
