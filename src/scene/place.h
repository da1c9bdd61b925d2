#pragma once
// Placing and turning the world's frames, and where the excavator's wheels
// sit on its chassis: the one copy every screen and step uses.
#include <array>

#include "platform/rm/math.h"
#include "scene/scene_objects.h"

namespace scene {

// The wheels, front left, rear left, front right, rear right, and where each
// sits in the chassis's coordinates (its front is toward -z).
inline constexpr std::array<Ref<Frame> SceneObjects::*, 4> kTireSlots = {
    &SceneObjects::tireFrontLeftFrame, &SceneObjects::tireRearLeftFrame, &SceneObjects::tireFrontRightFrame,
    &SceneObjects::tireRearRightFrame};
inline constexpr std::array<platform::rm::Vec3, 4> kTireOffsets = {
    {{2.5f, 1, -3.7f}, {2.5f, 1, 3.7f}, {-2.5f, 1, -3.7f}, {-2.5f, 1, 3.7f}}};

// A frame, or the frame it is placed in, may be missing (a scene that failed
// to build): nothing moves then.
inline void Place(const Ref<Frame>& frame, const Ref<Frame>& ref, platform::rm::Vec3 p) {
  if (frame && ref) frame->SetPosition(ref.get(), p).Ignore(kPoseResultUnused);
}
inline void Orient(const Ref<Frame>& frame, const Ref<Frame>& ref, platform::rm::Vec3 direction,
                   platform::rm::Vec3 up) {
  if (frame && ref) frame->SetOrientation(ref.get(), direction, up).Ignore(kPoseResultUnused);
}

// The wheels back in their places on the chassis.
inline void PlaceTires() {
  for (std::size_t i = 0; i < kTireSlots.size(); ++i) Place(objects.*kTireSlots[i], objects.baseFrame, kTireOffsets[i]);
}

}  // namespace scene
