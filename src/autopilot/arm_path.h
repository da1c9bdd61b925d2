#pragma once
// A way for boom, arm and bucket through poses that must each be safe: the
// bucket coming out of a pot has to pass over its wall, and the straight
// way up is not the one that keeps the most of the load.
#include <functional>
#include <optional>
#include <vector>

#include "autopilot/arm_moves.h"

namespace autopilot {

struct ArmPath {
  std::vector<int> moves;  // ids of ArmMoves(), each held `repeat` turns
  int repeat = 1;
  std::vector<Joints> poses;  // where each move ends
  double held = 0;            // the least `width` along the way
};

using PoseWidth = std::function<double(const Joints&)>;

// The way from `from` to a pose that passes `goal`, every pose on it passing
// `passable`, that keeps the least `width` along it as high as possible, and
// among those the one of fewest moves. The poses lie on the lattice the keys
// reach from `from`; none when no goal can be reached.
std::optional<ArmPath> PlanArmPath(const Joints& from, double speedFactor, const PoseCheck& passable,
                                   const PoseCheck& goal, const PoseWidth& width);

}  // namespace autopilot
