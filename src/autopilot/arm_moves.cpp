#include "autopilot/arm_moves.h"

#include <algorithm>

namespace autopilot {

namespace {

// Rates per unit of pace, as the playing step sets them.
constexpr double kBoomRate = 0.02, kArmRate = 0.02, kBucketRate = 0.01;

// How far an angle lies outside its range (0 inside).
double Outside(double a, double low, double high) { return a < low ? low - a : a > high ? a - high : 0; }

// A move may not carry a joint out of its range, nor further out of it.
bool Allowed(const Joints& now, const Joints& next) {
  auto ok = [](double a, double b, double low, double high) {
    double before = Outside(a, low, high), after = Outside(b, low, high);
    return after == 0 || after < before;
  };
  const Joints &lo = kJointsLowest, &hi = kJointsHighest;
  return ok(now.boom, next.boom, lo.boom, hi.boom) && ok(now.arm, next.arm, lo.arm, hi.arm) &&
         ok(now.bucket, next.bucket, lo.bucket, hi.bucket);
}

std::vector<ArmMove> MakeMoves() {
  // Control with Up/Down moves the boom (Up lowers it), Shift with Up/Down
  // the arm (Up raises it), Control with Left/Right the bucket; both
  // modifiers with Up or Down move boom and arm against each other. Shift
  // with Left or Right would swing the body, so the bucket only pairs with
  // the boom.
  std::vector<ArmMove> moves;
  auto add = [&](int boom, int arm, int bucket, Keys k) {
    moves.push_back({boom, arm, bucket, k, static_cast<int>(moves.size())});
  };
  add(-1, 0, 0, {.up = true, .control = true});
  add(+1, 0, 0, {.down = true, .control = true});
  add(0, +1, 0, {.up = true, .shift = true});
  add(0, -1, 0, {.down = true, .shift = true});
  add(-1, +1, 0, {.up = true, .shift = true, .control = true});
  add(+1, -1, 0, {.down = true, .shift = true, .control = true});
  add(0, 0, -1, {.left = true, .control = true});
  add(0, 0, +1, {.right = true, .control = true});
  add(-1, 0, -1, {.up = true, .left = true, .control = true});
  add(-1, 0, +1, {.up = true, .right = true, .control = true});
  add(+1, 0, -1, {.down = true, .left = true, .control = true});
  add(+1, 0, +1, {.down = true, .right = true, .control = true});
  return moves;
}

}  // namespace

const std::vector<ArmMove>& ArmMoves() {
  static const std::vector<ArmMove> moves = MakeMoves();
  return moves;
}

Joints KeySteps(double speedFactor) {
  return {kBoomRate * speedFactor, kArmRate * speedFactor, kBucketRate * speedFactor};
}

Joints After(const Joints& j, const ArmMove& m, double speedFactor) {
  return {j.boom + m.boom * kBoomRate * speedFactor, j.arm + m.arm * kArmRate * speedFactor,
          j.bucket + m.bucket * kBucketRate * speedFactor};
}

namespace {

// The lowest cost `depth` more moves reach from `from`.
double BestAhead(const Joints& from, int depth, double speedFactor, const ArmCost& cost, const PoseCheck& passable) {
  double best = cost(from);
  if (depth == 0) return best;
  if (!passable(from)) return 1e300;
  for (const ArmMove& m : ArmMoves()) {
    Joints next = After(from, m, speedFactor);
    if (Allowed(from, next)) best = std::min(best, BestAhead(next, depth - 1, speedFactor, cost, passable));
  }
  return best;
}

}  // namespace

std::optional<ArmMove> BestArmMove(const Joints& now, double speedFactor, const ArmCost& cost,
                                   const std::vector<int>& blocked, const PoseCheck& passable, double minGain) {
  const double target = cost(now) - minGain;
  for (int depth = 0; depth < 3; ++depth) {
    std::optional<ArmMove> best;
    double bestCost = target;
    for (const ArmMove& m : ArmMoves()) {
      if (std::find(blocked.begin(), blocked.end(), m.id) != blocked.end()) continue;
      Joints next = After(now, m, speedFactor);
      if (!Allowed(now, next)) continue;
      double c = BestAhead(next, depth, speedFactor, cost, passable);
      if (c < bestCost) {
        bestCost = c;
        best = m;
      }
    }
    if (best) return best;
  }
  return std::nullopt;
}

}  // namespace autopilot
