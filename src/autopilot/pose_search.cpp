#include "autopilot/pose_search.h"

#include <cmath>

namespace autopilot {

namespace {

// The grid spans each joint's range clear of its limit windows.
constexpr double kStep = 0.04;
constexpr double kBoomLow = -1.2, kBoomHigh = 0.78;
constexpr double kArmLow = -1.4, kArmHigh = 0.78;
constexpr double kBucketLow = -2.12, kBucketHigh = 0.72;

}  // namespace

std::optional<Joints> BestPose(const PoseTest& test, const PoseScore& score) {
  std::optional<Joints> best;
  double bestScore = -1e300;
  for (double boom = kBoomLow; boom <= kBoomHigh; boom += kStep)
    for (double arm = kArmLow; arm <= kArmHigh; arm += kStep)
      for (double bucket = kBucketLow; bucket <= kBucketHigh; bucket += kStep) {
        Joints j{boom, arm, bucket};
        if (!test(j)) continue;
        double s = score(j);
        if (s > bestScore) {
          bestScore = s;
          best = j;
        }
      }
  return best;
}

double JointDistance(const Joints& a, const Joints& b) {
  // The bucket turns half as fast as boom and arm.
  return std::abs(a.boom - b.boom) + std::abs(a.arm - b.arm) + 2 * std::abs(a.bucket - b.bucket);
}

}  // namespace autopilot
