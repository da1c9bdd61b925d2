#include "autopilot/pot_phases.h"

#include <algorithm>
#include <cmath>

#include "autopilot/player_tuning.h"
#include "autopilot/pose_search.h"
#include "core/game_state.h"

namespace autopilot {

namespace {

constexpr double kScoopTilt = -2.95;  // turned over this far, the bucket holds about 380
constexpr double kScoopDepth = 0.6;   // how far below the surface the scoop keeps the bucket
// Lowering leaves the bucket tilted about -0.6; curled past this without
// meeting the surface, the dip starts again lower.
constexpr double kDipGivesUp = -0.8;
constexpr int kDipTries = 6;

}  // namespace

// Straight on toward the pot, as near the edge as the wheels allow.
// Something in the way stops it too.
Keys Approaching::Step(Stage& stage, const Moment& m) {
  const Stance& s = m.stance;
  if (!creep_.empty()) {
    Keys k = creep_.front();
    creep_.erase(creep_.begin());
    if (creep_.empty()) stage.Enter(Phase::Face);
    return k;
  }
  if (!stage.trip.crept) {
    stage.trip.crept = true;
    creep_ = stage.chassis.CreepKeys(s);
    if (!creep_.empty()) return {};
  }
  Keys forward = Drive(true);
  bool moved = !lastChassis_ || Length(s.chassis - *lastChassis_) > 1e-3;
  lastChassis_ = s.chassis;
  if (moved && stage.chassis.WheelsStayOn(forward, s, kWheelMargin)) return forward;
  stage.Enter(Phase::AbovePot);
  return {};
}

Keys Lowering::Step(Stage& stage, const Moment& m) {
  const Pot* pot = m.pot;
  if (!pot) {
    stage.Enter(Phase::Plan);
    return {};
  }
  const ArmModel& arm = stage.arm;
  const double reach = m.potReach;
  // Each failed dip starts the next one a little lower.
  const double low = (abovePot_ ? pot->rim + 1.5 : pot->surface + 0.9 - 0.4 * stage.trip.dipTries) - m.body;
  auto keys = steer_.Towards([&](const Joints& j) {
    // The bucket's edge goes in steeply, so that a curl step cannot
    // carry its short edge probe across the surface in one go.
    return Sq(std::max(0.0, std::abs(arm.Middle(j).f - reach) - 2.5)) + Sq(arm.Lowest(j) - low) +
           20 * Sq(ArmModel::Tilt(j) + 0.6);
  });
  if (keys) return *keys;
  stage.Enter(abovePot_ ? Phase::Lower : Phase::Dip);
  return {};
}

// Curling lowers the bucket's edge a little each turn until it meets the
// surface.
Keys Dip(Stage& stage, const Moment& m) {
  if (game::gameState.bucketDipped) {
    stage.trip.dipTries = 0;
    stage.Enter(Phase::LiftOut);
    return {};
  }
  if (ArmModel::Tilt(m.joints) < kDipGivesUp) {
    if (++stage.trip.dipTries > kDipTries) {
      stage.failure = "the bucket did not dip into the pot";
      return {};
    }
    stage.Enter(Phase::Lower);
    return {};
  }
  return {.left = true, .control = true};
}

Keys Scooping::Step(Stage& stage, const Moment& m) {
  const game::GameState& g = game::gameState;
  if (!g.bucketDipped) {
    stage.Enter(g.bucketLoaded ? Phase::Raise : Phase::AbovePot);
    return {};
  }
  // Enough when turned over, or when the bucket has tried long enough.
  if (ArmModel::Tilt(m.joints) <= kScoopTilt || stage.phaseTurns > 150) {
    stage.Enter(Phase::LiftOut);
    return {};
  }
  const ArmModel& arm = stage.arm;
  const Pot* pot = m.pot;
  const double surface = pot ? pot->surface - m.body : 0;
  const double floor = pot ? pot->floor - m.body + 0.4 : -1e9;
  const double reach = m.potReach;
  // Keep the bucket under the surface while it curls: curling lifts its
  // edge, so lower the boom when the lowest point rises near the surface,
  // but never onto the solid below.
  auto keys = steer_.Towards([&](const Joints& j) {
    double low = arm.Lowest(j);
    return Sq(ArmModel::Tilt(j) - kScoopTilt - 0.1) + 2 * Sq(std::max(0.0, low - (surface - kScoopDepth))) +
           10 * Sq(std::max(0.0, floor - low)) + 0.1 * Sq(arm.Middle(j).f - reach);
  });
  if (keys) return *keys;
  stage.Enter(Phase::LiftOut);
  return {};
}

Keys Raising::Step(Stage& stage, const Moment& m) {
  const game::GameState& g = game::gameState;
  if (!lifting_ && !g.bucketLoaded) {
    stage.Enter(Phase::BackOff);
    return {};
  }
  const ArmModel& arm = stage.arm;
  const Joints& now = m.joints;
  const Pot* pot = m.pot;
  const double reach = m.potReach;
  const double travelLow = m.travelLow;
  const double rim = (pot ? pot->rim : stage.layout.highest) - m.body + 0.35;
  const double inner = (pot ? pot->inner : 8.4) - 0.4;
  if (!goal_) {
    goal_ = BestPose(
        [&](const Joints& j) {
          double low = arm.Lowest(j);
          Plane span = arm.Reach(j);
          if (lifting_) return low >= rim && span.f >= reach - inner && span.h <= reach + inner;
          return low >= travelLow && span.f >= kTuckedIn;
        },
        [&](const Joints& j) { return ArmModel::Capacity(ArmModel::Tilt(j)) - 20 * JointDistance(j, now); }, now,
        Pace());
    if (!goal_) {
      stage.failure = "no pose lifts the bucket over the rim";
      return {};
    }
  }
  if (auto keys = steer_.ToGoal(*goal_, lifting_ ? -1e9 : rim, rim, reach, inner)) return *keys;
  if (lifting_)
    stage.Enter(g.bucketDipped ? Phase::Scoop : g.bucketLoaded ? Phase::Raise : Phase::AbovePot);
  else
    stage.Enter(Phase::BackOff);
  return {};
}

}  // namespace autopilot
