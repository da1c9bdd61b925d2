#pragma once
// Where everything in the world starts: each frame's parent and position,
// the cameras' orientations, and which model goes on which frame.
#include <cstdint>
#include <vector>

#include "platform/rm/math.h"
#include "scene/scene_objects.h"

namespace scene {

struct FrameSpec {
  Ref<Frame>* slot;
  Ref<Frame>* parent;
  Ref<Frame>* relativeTo;  // the frame the position is given in
  platform::rm::Vec3 position;
  bool oriented = false;  // cameras only
  Ref<Frame>* orientationRef = nullptr;
  platform::rm::Vec3 direction{}, up{};
};

struct ModelSpec {
  const char* file;
  std::vector<Ref<Frame>*> frames;
  std::uint32_t colour = 0;  // ARGB for SetColor; 0 keeps the file's colours
  Ref<MeshBuilder>* held = nullptr;
};

// Every frame but the root, the light frame and the cameras, parents first.
std::vector<FrameSpec> FrameSpecs(SceneObjects& o);
std::vector<FrameSpec> CameraSpecs(SceneObjects& o);
// The 43 models in loading order.
std::vector<ModelSpec> ModelSpecs(SceneObjects& o);

}  // namespace scene
