#include "scene/frame_poses.h"

namespace scene {

// The named frames come with the scene; none exist yet.
std::vector<FramePose> NamedFramePoses() { return {}; }

}  // namespace scene
