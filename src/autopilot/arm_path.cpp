#include "autopilot/arm_path.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <tuple>

namespace autopilot {

namespace {

// Each move of the path is held for as many turns as make it this long, so
// that the lattice stays small at slow paces.
constexpr double kShortestMove = 0.04;

// The lattice's index range for one joint: values from + i * step inside
// [low, high].
struct Axis {
  double from, step;
  int lo, hi;
  Axis(double f, double s, double low, double high)
      : from(f),
        step(s),
        lo(static_cast<int>(std::ceil((low - f) / s - 1e-9))),
        hi(static_cast<int>(std::floor((high - f) / s + 1e-9))) {
    if (lo > 0) lo = 0;  // the pose it starts from is in, even outside the range
    if (hi < 0) hi = 0;
  }
  int Size() const { return hi - lo + 1; }
  double At(int i) const { return from + i * step; }
};

}  // namespace

std::optional<ArmPath> PlanArmPath(const Joints& from, double speedFactor, const PoseCheck& passable,
                                   const PoseCheck& goal, const PoseWidth& width) {
  const Joints key = KeySteps(speedFactor);
  const int repeat = std::max(1, static_cast<int>(std::ceil(kShortestMove / std::max(key.bucket, 1e-6) - 1e-9)));
  const Axis boom(from.boom, key.boom * repeat, kJointsLowest.boom, kJointsHighest.boom);
  const Axis arm(from.arm, key.arm * repeat, kJointsLowest.arm, kJointsHighest.arm);
  const Axis bucket(from.bucket, key.bucket * repeat, kJointsLowest.bucket, kJointsHighest.bucket);
  const int nb = boom.Size(), na = arm.Size(), nk = bucket.Size();
  auto index = [&](int b, int a, int k) { return ((b - boom.lo) * na + (a - arm.lo)) * nk + (k - bucket.lo); };
  auto pose = [&](int n) {
    int k = n % nk + bucket.lo, a = n / nk % na + arm.lo, b = n / nk / na + boom.lo;
    return Joints{boom.At(b), arm.At(a), bucket.At(k)};
  };

  // Widest way first: the heap holds (width, -moves, node); a node is final
  // when it is taken off the heap.
  const std::size_t count = static_cast<std::size_t>(nb) * na * nk;
  std::vector<double> best(count, -1e300);
  std::vector<int> came(count, -1), cameMove(count, -1), steps(count, 0);
  std::vector<char> done(count, 0);
  using Entry = std::tuple<double, int, int>;
  std::priority_queue<Entry> open;
  const int start = index(0, 0, 0);
  best[start] = width(from);
  open.push({best[start], 0, start});
  int reached = -1;
  while (!open.empty()) {
    auto [w, negSteps, n] = open.top();
    open.pop();
    if (done[n]) continue;
    done[n] = 1;
    const Joints here = pose(n);
    if (goal(here)) {
      reached = n;
      break;
    }
    const int k = n % nk + bucket.lo, a = n / nk % na + arm.lo, b = n / nk / na + boom.lo;
    for (const ArmMove& m : ArmMoves()) {
      const int b2 = b + m.boom, a2 = a + m.arm, k2 = k + m.bucket;
      if (b2 < boom.lo || b2 > boom.hi || a2 < arm.lo || a2 > arm.hi || k2 < bucket.lo || k2 > bucket.hi) continue;
      const int n2 = index(b2, a2, k2);
      if (done[n2]) continue;
      const Joints there = pose(n2);
      if (!passable(there)) continue;
      const double w2 = std::min(w, width(there));
      if (w2 > best[n2] || (w2 == best[n2] && steps[n] + 1 < steps[n2])) {
        best[n2] = w2;
        steps[n2] = steps[n] + 1;
        came[n2] = n;
        cameMove[n2] = m.id;
        open.push({w2, -steps[n2], n2});
      }
    }
  }
  if (reached < 0) return std::nullopt;
  ArmPath path;
  path.repeat = repeat;
  path.held = best[reached];
  for (int n = reached; n != start; n = came[n]) {
    path.moves.push_back(cameMove[n]);
    path.poses.push_back(pose(n));
  }
  std::reverse(path.moves.begin(), path.moves.end());
  std::reverse(path.poses.begin(), path.poses.end());
  return path;
}

}  // namespace autopilot
