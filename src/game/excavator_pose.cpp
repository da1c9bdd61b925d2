#include "game/excavator_pose.h"

#include <array>

#include "core/game_state.h"
#include "scene/scene_objects.h"

namespace game {

using platform::rm::Vec3;
using scene::objects;

namespace {

scene::Ref<scene::Frame>& FrameOf(Part part) {
  switch (part) {
    case Part::Chassis: return objects.baseFrame;
    case Part::Body: return objects.bodyFrame;
    case Part::Boom: return objects.arm1Frame;
    case Part::Arm: return objects.arm2Frame;
    case Part::Bucket: break;
  }
  return objects.bucketFrame;
}

// The frame a part's rate is given relative to when it is stopped.
const scene::Frame* StopReference(Part part) {
  switch (part) {
    case Part::Chassis: return objects.sceneRoot.get();
    case Part::Body: return objects.baseFrame.get();
    case Part::Boom: return objects.bodyFrame.get();
    case Part::Arm: return objects.arm1Frame.get();
    case Part::Bucket: break;
  }
  return objects.arm2Frame.get();
}

float* Slot(Part part) { return gameState.savedPose.data() + 9 * static_cast<int>(part); }

constexpr Part kParts[] = {Part::Chassis, Part::Body, Part::Boom, Part::Arm, Part::Bucket};
std::array<platform::rm::Matrix, 5> g_passedPose;
bool g_passedPoseKept = false;

Vec3 Load(const float* p) { return {p[0], p[1], p[2]}; }
void Store(float* p, Vec3 v) { p[0] = v.x, p[1] = v.y, p[2] = v.z; }

}  // namespace

void SaveExcavatorPose() {
  for (Part part : {Part::Chassis, Part::Body, Part::Boom, Part::Arm, Part::Bucket}) {
    scene::Ref<scene::Frame>& f = FrameOf(part);
    if (!f) continue;
    Vec3 position, direction, up;
    f->GetPosition(objects.sceneRoot.get(), &position).Ignore(scene::kPoseResultUnused);
    f->GetOrientation(objects.sceneRoot.get(), &direction, &up).Ignore(scene::kPoseResultUnused);
    float* slot = Slot(part);
    Store(slot, position);
    Store(slot + 3, direction);
    Store(slot + 6, up);
  }
}

void StopPart(Part part) {
  scene::Ref<scene::Frame>& f = FrameOf(part);
  if (!f) return;
  bool turnsAboutY = part == Part::Chassis || part == Part::Body;
  f->SetRotation(StopReference(part), turnsAboutY ? Vec3{0, 1, 0} : Vec3{1, 0, 0}, 0.0f)
      .Ignore(scene::kPoseResultUnused);
  f->SetVelocity(StopReference(part), {0, 0, 0}, false).Ignore(scene::kPoseResultUnused);
}

void RestoreOrientation(Part part) {
  scene::Ref<scene::Frame>& f = FrameOf(part);
  // A pose never saved (all zero) is refused by the frame and changes nothing.
  if (f)
    f->SetOrientation(objects.sceneRoot.get(), Load(Slot(part) + 3), Load(Slot(part) + 6))
        .Ignore(scene::kPoseResultUnused);
}

void RestorePosition(Part part) {
  scene::Ref<scene::Frame>& f = FrameOf(part);
  if (f) f->SetPosition(objects.sceneRoot.get(), Load(Slot(part))).Ignore(scene::kPoseResultUnused);
}

void KeepPassedPose() {
  for (Part part : kParts)
    if (scene::Ref<scene::Frame>& f = FrameOf(part)) g_passedPose[static_cast<int>(part)] = f->LocalTransform();
  g_passedPoseKept = true;
}

void ForgetPassedPose() { g_passedPoseKept = false; }

void PutBackPassedPose() {
  if (!g_passedPoseKept) return;
  // Parents first, so each part's own transform puts it where it stood.
  for (Part part : kParts)
    if (scene::Ref<scene::Frame>& f = FrameOf(part))
      f->SetLocalTransform(g_passedPose[static_cast<int>(part)]).Ignore(scene::kPoseResultUnused);
}

}  // namespace game
