#include "autopilot/lift_out.h"

#include <cmath>
#include <cstdio>

#include "autopilot/player_tuning.h"
#include "core/game_state.h"

namespace autopilot {

namespace {

constexpr int kPlans = 6;  // a way the game keeps holding back is given up after this many plans

}  // namespace

bool ClearOfPot(const ArmModel& arm, const Joints& j, const Pot& pot, double reach, double body) {
  constexpr double kMargin = 1.0;
  for (Plane q : arm.Points(j)) {
    double d = std::abs(q.f - reach);
    double floor = d < pot.inner - kMargin ? pot.floor + 0.2 : d <= pot.outer + kMargin ? pot.rim + 0.35 : 0.5;
    if (q.h < floor - body) return false;
  }
  return true;
}

Keys LiftingOut::Step(Stage& stage, const Moment& m) {
  if (m.pot && !failed_) {
    if (auto keys = FollowWay(stage, m)) return *keys;
    if (!failed_) return {};
  }
  return fallback_.Step(stage, m);
}

std::optional<Keys> LiftingOut::FollowWay(Stage& stage, const Moment& m) {
  const game::GameState& g = game::gameState;
  const Joints& now = m.joints;
  if (path_ && moveTurns_ == path_->repeat) {
    // A move is done: on to the next, or plan again from where the arm is
    // if the game held it back.
    const Joints& want = path_->poses[move_];
    const Joints step = KeySteps(Pace());
    if (std::abs(now.boom - want.boom) > step.boom / 2 || std::abs(now.arm - want.arm) > step.arm / 2 ||
        std::abs(now.bucket - want.bucket) > step.bucket / 2)
      path_.reset();
    else
      ++move_;
    moveTurns_ = 0;
  }
  if (path_ && move_ >= path_->moves.size()) {
    stage.Enter(g.bucketLoaded ? Phase::BackOff : g.bucketDipped ? Phase::Scoop : Phase::AbovePot);
    return std::nullopt;
  }
  if (!path_) {
    if (!Plan(stage, m)) {
      failed_ = true;
      return std::nullopt;
    }
    if (path_->moves.empty()) {
      stage.Enter(g.bucketLoaded ? Phase::BackOff : Phase::AbovePot);
      return std::nullopt;
    }
  }
  ++moveTurns_;
  return ArmMoves()[path_->moves[move_]].keys;
}

// Out of the pot, keeping as much of the load as the wall allows, up to
// where the load is carried.
bool LiftingOut::Plan(Stage& stage, const Moment& m) {
  if (++plans_ > kPlans) return false;
  const game::GameState& g = game::gameState;
  const ArmModel& arm = stage.arm;
  const Pot& pot = *m.pot;
  const Joints& now = m.joints;
  const double body = m.body, reach = m.potReach, travelLow = m.travelLow;
  // A loaded bucket only loses; one still in the ingredient takes what its
  // tilt holds when it comes out, so poses under the surface cost nothing.
  const double amount = g.bucketLoaded ? g.bucketAmount : 400;
  const double under = pot.surface - body - 0.3;
  // The game names the load after the pot the mouth is over when the
  // bucket leaves the ingredient: near the surface, keep it over the pot.
  const double nearSurface = pot.surface - body + 1.0;
  auto passable = [&](const Joints& j) {
    if (!ClearOfPot(arm, j, pot, reach, body)) return false;
    return g.bucketLoaded || arm.Lowest(j) >= nearSurface || std::abs(arm.Mouth(j).f - reach) < kNamedWithin;
  };
  path_ = PlanArmPath(
      now, Pace(), passable, [&](const Joints& j) { return arm.Lowest(j) >= travelLow && arm.Reach(j).f >= kTuckedIn; },
      [&](const Joints& j) {
        if (!g.bucketLoaded && ((g.bucketDipped && SameJoints(j, now)) ||
                                (arm.Lowest(j) < under && std::abs(arm.Middle(j).f - reach) < pot.inner - 2)))
          return amount;
        return std::min(amount, ArmModel::Capacity(ArmModel::Tilt(j)));
      });
  move_ = 0;
  moveTurns_ = 0;
  if (stage.trace.Details()) {
    char line[160];
    std::snprintf(line, sizeof line, "  lift-out way: %d moves keeping %.0f of %.0f\n",
                  path_ ? static_cast<int>(path_->moves.size()) : -1, path_ ? path_->held : 0.0, amount);
    stage.trace.Say(line);
  }
  return path_.has_value();
}

}  // namespace autopilot
