#pragma once
// The best pose of boom, arm and bucket under a condition, found by trying a
// grid of joint angles through the linkage's model: how far the arm can hold
// a load above a rim, or over a vessel, is a question of geometry.
#include <functional>
#include <optional>

#include "autopilot/arm_model.h"

namespace autopilot {

using PoseTest = std::function<bool(const Joints&)>;
using PoseScore = std::function<double(const Joints&)>;

// The pose with the highest score among those that pass the test; none when
// no pose on the grid does. The grid is the lattice the keys reach from
// `from` at this pace (every few steps of each joint), so that the arm can
// stand exactly on the pose found rather than a step beside it.
std::optional<Joints> BestPose(const PoseTest& test, const PoseScore& score, const Joints& from, double speedFactor);

// How far apart two poses are, as the keys see it: in turns of each joint.
double JointDistance(const Joints& a, const Joints& b);

}  // namespace autopilot
