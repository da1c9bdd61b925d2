#pragma once
// Ray picks through a frame tree (Frame::RayPick). Both faces of a triangle
// count; shadows are never hit. Two identical meshes on frames with the same
// world transform give bit-identical hit positions: every instance is tested
// by the same code on canonically ordered triangle vertices.
#include <cstdint>
#include <vector>

#include "platform/ref.h"
#include "platform/rm/frame.h"
#include "platform/rm/math.h"
#include "platform/rm/visual.h"

namespace platform::rm {

constexpr std::uint32_t kRayPickOnlyBoundingBoxes = 0x1;
// Each visual instance (a visual on a frame) yields at most its nearest hit.
constexpr std::uint32_t kRayPickIgnoreFurtherPrimitives = 0x2;

// The direction need not be unit length; a zero direction picks nothing.
struct Ray {
  Vec3 origin{};
  Vec3 direction{};
};

struct Pick {
  Ref<Frame> frame;        // the frame holding the visual
  Ref<Visual> visual;      // a mesh builder
  std::uint32_t face = 0;  // into MeshBuilder::Faces(); ~0u for a bounding-box pick
  float distance = 0;      // from the origin along the normalised direction
  Vec3 position{};         // in the coordinates of the pick's ref frame
};

}  // namespace platform::rm
