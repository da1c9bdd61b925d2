#include "autopilot/trip_phases.h"

#include <algorithm>
#include <cmath>

#include "autopilot/player_tuning.h"
#include "core/game_state.h"

namespace autopilot {

namespace {

constexpr double kWorthATrip = 45;  // a tally this near its order needs no further trip

// A trip for the load in the bucket: to every vessel that still wants its
// ingredient.
void PlanDelivery(Stage& stage) {
  const game::GameState& g = game::gameState;
  Trip& trip = stage.trip;
  const auto& vessels = stage.layout.vessels;
  for (std::size_t v = 0; v < vessels.size(); ++v)
    if (stage.Remaining(vessels[v], static_cast<int>(g.bucketIngredient)) > kWorthATrip &&
        static_cast<int>(g.bucketIngredient) != 0)
      trip.vessels.push_back(static_cast<int>(v));
  if (trip.vessels.empty()) return;
  trip.ingredient = static_cast<int>(g.bucketIngredient);
  trip.target = vessels[trip.vessels[0]].axis;
}

// A trip to the pot of the first ingredient some vessel still wants.
void PlanFetch(Stage& stage) {
  Trip& trip = stage.trip;
  const auto& vessels = stage.layout.vessels;
  for (int ingredient = 1; ingredient <= 3 && trip.vessels.empty(); ++ingredient) {
    if (!stage.layout.PotOf(ingredient)) continue;
    for (std::size_t v = 0; v < vessels.size(); ++v)
      if (stage.Remaining(vessels[v], ingredient) > kWorthATrip) trip.vessels.push_back(static_cast<int>(v));
    if (!trip.vessels.empty()) trip.ingredient = ingredient;
  }
  if (!trip.vessels.empty()) trip.target = stage.layout.PotOf(trip.ingredient)->axis;
}

// Sets off on a route to where the chassis turns toward the trip's target;
// `noRoute` is the failure when there is none.
Keys SetOff(Stage& stage, const char* noRoute) {
  Trip& trip = stage.trip;
  trip.route = stage.chassis.Route(ReadStance().chassis, stage.chassis.PreParkFor(trip.target));
  if (trip.route.empty()) {
    stage.failure = noRoute;
    return {};
  }
  stage.Enter(Phase::Travel);
  return {};
}

}  // namespace

Keys PlanTrip(Stage& stage, const Moment&) {
  stage.trip = {};
  if (game::gameState.bucketLoaded) {
    PlanDelivery(stage);
    if (stage.trip.vessels.empty()) {
      stage.Enter(Phase::Dump);
      return {};
    }
    return SetOff(stage, "no way across the table to the vessel");
  }
  PlanFetch(stage);
  stage.Enter(stage.trip.vessels.empty() ? Phase::Confirm : Phase::Fold);
  return {};
}

Keys Folding::Step(Stage& stage, const Moment& m) {
  const ArmModel& arm = stage.arm;
  const double travelLow = m.travelLow;
  // Back to rest, the bucket above every rim on the way.
  auto keys = steer_.Towards([&](const Joints& j) {
    return Sq(j.boom) + Sq(j.arm) + Sq(j.bucket) + 5 * Sq(std::max(0.0, travelLow - arm.Lowest(j)));
  });
  if (keys) return *keys;
  return SetOff(stage, "no way across the table to the pot");
}

Keys DumpLoad(Stage& stage, const Moment& m) {
  const Stance& s = m.stance;
  if (!game::gameState.bucketLoaded) {
    stage.Enter(Phase::Plan);
    return {};
  }
  // Spill it over the table, away from every vessel.
  const Area& t = stage.layout.table;
  Ground centre{(t.x0 + t.x1) / 2, (t.z0 + t.z1) / 2};
  double turn = TurnAngle(s.facing, Unit(centre - s.chassis));
  if (std::abs(turn) > 0.3) return TurnKeys(turn);
  return {.right = true, .control = true};
}

Keys Travelling::Step(Stage& stage, const Moment& m) {
  const std::vector<Ground>& route = stage.trip.route;
  if (waypoint_ >= route.size()) {
    stage.Enter(Phase::Face);
    return {};
  }
  if (auto keys = stage.chassis.TravelTo(m.stance, route[waypoint_])) return *keys;
  ++waypoint_;
  return {};
}

Keys FaceTarget(Stage& stage, const Moment& m) {
  if (auto keys = stage.chassis.Face(m.stance, stage.trip.target)) return *keys;
  stage.Enter(game::gameState.bucketLoaded ? Phase::OverVessel : Phase::Approach);
  return {};
}

Keys BackOff(Stage& stage, const Moment& m) {
  const Stance& s = m.stance;
  Ground back = stage.chassis.PreParkFor(stage.trip.target);
  if (Dot(back - s.chassis, s.facing) > -DriveStep() * 0.55) {
    stage.Enter(Phase::Plan);
    return {};
  }
  return Drive(false);
}

Keys ConfirmOrder(Stage& stage, const Moment&) {
  return {.space = game::gameState.orderDonePhase != game::OrderDonePhase::Waiting && stage.phaseTurns % 2 == 1};
}

}  // namespace autopilot
