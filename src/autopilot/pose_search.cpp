#include "autopilot/pose_search.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace autopilot {

namespace {

// The grid spans each joint's range clear of its limit windows.
constexpr double kStep = 0.04;
constexpr double kBoomLow = -1.2, kBoomHigh = 0.78;
constexpr double kArmLow = -1.4, kArmHigh = 0.78;
constexpr double kBucketLow = -2.12, kBucketHigh = 0.72;

// Values from..low-high on the lattice through `from` with steps of `turn`,
// taken every few turns so the grid stays near kStep apart.
std::vector<double> Lattice(double from, double turn, double low, double high) {
  const double step = turn > 0 ? turn * std::max(1.0, std::ceil(kStep / turn)) : kStep;
  std::vector<double> values;
  for (double v = from; v >= low; v -= step) values.push_back(v);
  for (double v = from + step; v <= high; v += step) values.push_back(v);
  return values;
}

}  // namespace

std::optional<Joints> BestPose(const PoseTest& test, const PoseScore& score, const Joints& from, double speedFactor) {
  std::optional<Joints> best;
  double bestScore = -1e300;
  const auto booms = Lattice(from.boom, 0.02 * speedFactor, kBoomLow, kBoomHigh);
  const auto arms = Lattice(from.arm, 0.02 * speedFactor, kArmLow, kArmHigh);
  const auto buckets = Lattice(from.bucket, 0.01 * speedFactor, kBucketLow, kBucketHigh);
  for (double boom : booms)
    for (double arm : arms)
      for (double bucket : buckets) {
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
