#include "demo/demo_frames.h"

namespace demo {

using platform::rm::Vec3;
using scene::objects;

std::array<scene::Frame*, kSampledFrames> SampledFrames() {
  return {objects.baseFrame.get(),         objects.bodyFrame.get(),           objects.arm1Frame.get(),
          objects.arm2Frame.get(),         objects.bucketFrame.get(),         objects.tireFrontLeftFrame.get(),
          objects.tireRearLeftFrame.get(), objects.tireFrontRightFrame.get(), objects.tireRearRightFrame.get(),
          objects.carryCoffeeFrame.get(),  objects.carryMilkFrame.get(),      objects.carrySugarFrame.get()};
}

std::array<scene::Frame*, kPropFrames> PropFrames() {
  return {objects.milkMarkFrame.get(), objects.sugarMarkFrame.get(), objects.cupFrame.get(),   objects.glassFrame.get(),
          objects.spoonFrame.get(),    objects.dish1Frame.get(),     objects.dish2Frame.get(), objects.dish3Frame.get(),
          objects.cakeFrame.get(),     objects.cake2Frame.get()};
}

void ReadPose(const scene::Frame* frame, float* pose) {
  if (!frame) return;
  Vec3 p, d, u;
  frame->GetPosition(objects.sceneRoot.get(), &p).Ignore(scene::kPoseResultUnused);
  frame->GetOrientation(objects.sceneRoot.get(), &d, &u).Ignore(scene::kPoseResultUnused);
  const float values[kPoseValues] = {p.x, p.y, p.z, d.x, d.y, d.z, u.x, u.y, u.z};
  for (int i = 0; i < kPoseValues; ++i) pose[i] = values[i];
}

void ApplyPose(scene::Frame* frame, const float* pose) {
  if (!frame) return;
  // A refused orientation (parallel or zero vectors) leaves the frame as it
  // was; the position still applies.
  frame->SetPosition(objects.sceneRoot.get(), pose[0], pose[1], pose[2]).Ignore(scene::kPoseResultUnused);
  frame->SetOrientation(objects.sceneRoot.get(), pose[3], pose[4], pose[5], pose[6], pose[7], pose[8])
      .Ignore(scene::kPoseResultUnused);
}

}  // namespace demo
