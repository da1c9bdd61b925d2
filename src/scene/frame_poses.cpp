#include "scene/frame_poses.h"

#include "scene/scene_objects.h"

namespace scene {

std::vector<FramePose> NamedFramePoses() {
  std::vector<FramePose> poses;
  const Frame* root = objects.sceneRoot.get();
  for (const NamedFrame& f : NamedFrames(objects)) {
    if (!*f.slot) continue;
    platform::rm::Vec3 p, d, u;
    (*f.slot)->GetPosition(root, &p).Ignore(kPoseResultUnused);
    (*f.slot)->GetOrientation(root, &d, &u).Ignore(kPoseResultUnused);
    poses.push_back({f.name, {p.x, p.y, p.z}, {d.x, d.y, d.z}, {u.x, u.y, u.z}});
  }
  return poses;
}

}  // namespace scene
