#pragma once
// The pose of every named scene frame that exists, relative to the scene
// root, for state dumps.
#include <array>
#include <string>
#include <vector>

namespace scene {

struct FramePose {
  std::string name;
  std::array<float, 3> position, direction, up;
};

std::vector<FramePose> NamedFramePoses();

}  // namespace scene
