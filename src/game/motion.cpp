#include "game/motion.h"

#include "scene/scene_objects.h"

namespace game {

using scene::objects;

namespace {
void StopTurning(scene::Ref<scene::Frame>& frame, const scene::Frame* ref, float x, float y, float z) {
  if (frame) frame->SetRotation(ref, x, y, z, 0.0f).Ignore(scene::kPoseResultUnused);
}
}  // namespace

void StopExcavatorMotion() {
  const scene::Frame* root = objects.sceneRoot.get();
  StopTurning(objects.baseFrame, root, 0, 1, 0);
  if (objects.baseFrame) objects.baseFrame->SetVelocity(root, 0, 0, 0, false).Ignore(scene::kPoseResultUnused);
  StopTurning(objects.bodyFrame, objects.baseFrame.get(), 0, 1, 0);
  StopTurning(objects.arm1Frame, objects.bodyFrame.get(), 1, 0, 0);
  StopTurning(objects.arm2Frame, objects.arm1Frame.get(), 1, 0, 0);
  StopTurning(objects.bucketFrame, objects.arm2Frame.get(), 1, 0, 0);
  for (auto* tire : {&objects.tireFrontLeftFrame, &objects.tireRearLeftFrame, &objects.tireFrontRightFrame,
                     &objects.tireRearRightFrame})
    StopTurning(*tire, objects.baseFrame.get(), 1, 0, 0);
  for (auto* letter : {&objects.t1Frame, &objects.t2Frame, &objects.t3Frame, &objects.t4Frame, &objects.t5Frame})
    StopTurning(*letter, letter->get(), 0, 1, 0);
}

}  // namespace game
