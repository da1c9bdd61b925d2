#include "autopilot/arm_moves.h"

#include <algorithm>

namespace autopilot {

namespace {

// Rates per unit of pace, as the playing step sets them.
constexpr double kBoomRate = 0.02, kArmRate = 0.02, kBucketRate = 0.01;

// The joints stay clear of the angles where the game pushes them back.
constexpr double kBoomLow = -1.25, kBoomHigh = 0.80;
constexpr double kArmLow = -1.44, kArmHigh = 0.80;
constexpr double kBucketLow = -2.15, kBucketHigh = 0.75;

// How far an angle lies outside its range (0 inside).
double Outside(double a, double low, double high) { return a < low ? low - a : a > high ? a - high : 0; }

// A move may not carry a joint out of its range, nor further out of it.
bool Allowed(const Joints& now, const Joints& next) {
  auto ok = [](double a, double b, double low, double high) {
    double before = Outside(a, low, high), after = Outside(b, low, high);
    return after == 0 || after < before;
  };
  return ok(now.boom, next.boom, kBoomLow, kBoomHigh) && ok(now.arm, next.arm, kArmLow, kArmHigh) &&
         ok(now.bucket, next.bucket, kBucketLow, kBucketHigh);
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

Joints After(const Joints& j, const ArmMove& m, double speedFactor) {
  return {j.boom + m.boom * kBoomRate * speedFactor, j.arm + m.arm * kArmRate * speedFactor,
          j.bucket + m.bucket * kBucketRate * speedFactor};
}

std::optional<ArmMove> BestArmMove(const Joints& now, double speedFactor, const ArmCost& cost,
                                   const std::vector<int>& blocked, double minGain) {
  std::optional<ArmMove> best;
  double bestCost = cost(now) - minGain;
  for (const ArmMove& m : ArmMoves()) {
    if (std::find(blocked.begin(), blocked.end(), m.id) != blocked.end()) continue;
    Joints next = After(now, m, speedFactor);
    if (!Allowed(now, next)) continue;
    double c = cost(next);
    if (c < bestCost) {
      bestCost = c;
      best = m;
    }
  }
  return best;
}

}  // namespace autopilot
