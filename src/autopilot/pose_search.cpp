#include "autopilot/pose_search.h"

#include <cmath>
#include <vector>

#include "autopilot/arm_moves.h"

namespace autopilot {

namespace {

// The grid spans each joint's range, no finer than kFinest.
constexpr double kFinest = 0.04;

// The values from + k * step inside [low, high], step a whole number of key
// steps and at least kFinest.
std::vector<double> Lattice(double from, double keyStep, double low, double high) {
  const double step = keyStep * std::ceil(kFinest / keyStep - 1e-9);
  std::vector<double> values;
  for (double v = from - step * std::floor((from - low) / step); v <= high + 1e-9; v += step)
    if (v >= low - 1e-9) values.push_back(v);
  return values;
}

}  // namespace

std::optional<Joints> BestPose(const PoseTest& test, const PoseScore& score, const Joints& from, double speedFactor) {
  const Joints one = KeySteps(speedFactor);
  const Joints &lo = kJointsLowest, &hi = kJointsHighest;
  const auto booms = Lattice(from.boom, one.boom, lo.boom, hi.boom);
  const auto arms = Lattice(from.arm, one.arm, lo.arm, hi.arm);
  const auto buckets = Lattice(from.bucket, one.bucket, lo.bucket, hi.bucket);
  std::optional<Joints> best;
  double bestScore = -1e300;
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
