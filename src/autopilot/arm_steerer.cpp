#include "autopilot/arm_steerer.h"

#include <algorithm>
#include <cstdio>

#include "autopilot/player_tuning.h"
#include "core/game_state.h"

namespace autopilot {

double HoldingNow() {
  const game::GameState& g = game::gameState;
  return g.bucketLoaded ? g.bucketAmount : ArmModel::Capacity(ArmModel::Tilt(ArmModel::Current()));
}

std::optional<Keys> ArmSteerer::Towards(const ArmCost& cost) {
  Joints now = ArmModel::Current();
  if (beforePrevious_.move && SameJoints(now, beforePrevious_.from)) undone_.push_back({now, beforePrevious_.move->id});
  std::vector<int> blocked;
  for (const auto& [from, id] : undone_)
    if (SameJoints(from, now)) blocked.push_back(id);
  // A detour of a few moves may not spill what the bucket holds now.
  const double holding = std::min(HoldingNow(), ArmModel::Capacity(ArmModel::Tilt(now)));
  std::optional<ArmMove> move = BestArmMove(
      now, Pace(), cost, blocked, [&](const Joints& j) { return ArmModel::Capacity(ArmModel::Tilt(j)) >= holding; });
  if (trace_->Details()) {
    char line[200];
    std::snprintf(line, sizeof line, "  arm %.3f %.3f %.3f low %.2f mid %.2f cost %.3f move %d blocked %zu\n", now.boom,
                  now.arm, now.bucket, arm_->Lowest(now), arm_->Middle(now).f, cost(now), move ? move->id : -1,
                  blocked.size());
    trace_->Say(line);
  }
  beforePrevious_ = previous_;
  previous_ = {now, move};
  if (!move) return std::nullopt;
  return move->keys;
}

std::optional<Keys> ArmSteerer::ToGoal(const Joints& goal, double floor, double rim, double reach, double inner) {
  const ArmModel& arm = *arm_;
  const double goalCapacity = ArmModel::Capacity(ArmModel::Tilt(goal));
  return Towards([&](const Joints& j) {
    double low = arm.Lowest(j);
    Plane span = arm.Reach(j);
    double cost = Sq(j.boom - goal.boom) + Sq(j.arm - goal.arm) + 4 * Sq(j.bucket - goal.bucket);
    cost += 5 * Sq(std::max(0.0, floor - low));
    // A load spilled on the way is lost for good: hold the goal's tilt or better.
    cost += 0.5 * std::max(0.0, std::min(HoldingNow(), goalCapacity) - ArmModel::Capacity(ArmModel::Tilt(j)));
    if (low < rim)
      cost += 5 * (Sq(std::max(0.0, (reach - inner) - span.f)) + Sq(std::max(0.0, span.h - (reach + inner))));
    return cost;
  });
}

}  // namespace autopilot
