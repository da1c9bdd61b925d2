#include "autopilot/stage_player.h"

#include <algorithm>
#include <cmath>

#include <cstdio>
#include <cstdlib>

#include "autopilot/arm_path.h"
#include "autopilot/player_tuning.h"
#include "autopilot/pose_search.h"
#include "core/game_state.h"
#include "platform/os/debug_output.h"
#include "platform/os/turns.h"
#include "scene/scene_objects.h"

namespace autopilot {

using platform::rm::Vec3;
using scene::objects;

namespace {

constexpr double kParkInset = 4.4;                     // the chassis's origin inside the edge; its wheels are 3.7 ahead
constexpr double kEdge = 5.0;                          // routes keep the chassis this far inside the edges
constexpr double kClearance = 7.8;                     // and this far from the dishes, cakes and spoon
constexpr double kLeastPour = 60;                      // a smaller load may go to 0 in one tilt step
constexpr double kWheelAhead = 3.7, kWheelSide = 2.5;  // the wheel markers from the chassis's origin
constexpr double kWheelMargin = 0.06;                  // how near the edge the approach takes them
constexpr int kPhaseTurnLimit = 6000;
constexpr double kPourTurnLimit = 25000;  // at the slowest pace; a trip takes a tenth of it
constexpr double kEnough = 35;            // a pour stops this near its order (50 short still scores 100)
constexpr double kWorthATrip = 45;        // a tally this near its order needs no further trip
constexpr double kScoopTilt = -2.95;      // turned over this far, the bucket holds about 380

double Sq(double x) { return x * x; }

// How far one turn of the keys drives the chassis, and turns it or the upper
// structure.
double DriveStep() { return 0.2 * Pace(); }
double TurnStep() { return 0.02 * Pace(); }

// A wheel marker of a chassis standing at `at` and facing `front`.
Ground Wheel(Ground at, Ground front, double ahead, double side) {
  return at + front * ahead + Ground{-front.z, front.x} * side;
}

Keys Drive(bool forward) { return {.up = forward, .down = !forward, .tab = true}; }
Keys TurnKeys(double angle) { return {.left = angle<0, .right = angle> 0, .tab = true}; }
Keys SwingKeys(double angle) { return {.left = angle<0, .right = angle> 0, .shift = true}; }

Vec3 WorldOf(const scene::Ref<scene::Frame>& f) {
  Vec3 p;
  if (f) f->GetPosition(objects.sceneRoot.get(), &p);
  return p;
}

}  // namespace

StagePlayer::StagePlayer() : layout_(ReadStageLayout()), routes_(layout_.table, layout_.obstacles, kEdge, kClearance) {
  arm_.Measure();
  if (std::getenv("ZARN_AP_TRACE")) {
    char line[300];
    for (const Pot& p : layout_.pots) {
      std::snprintf(line, sizeof line, "  pot %d at %.1f %.1f rim %.2f surface %.2f floor %.2f inner %.2f outer %.2f\n",
                    p.ingredient, p.axis.x, p.axis.z, p.rim, p.surface, p.floor, p.inner, p.outer);
      platform::os::OutputDebugString(line);
    }
    for (const Vessel& v : layout_.vessels) {
      std::snprintf(line, sizeof line, "  vessel %s at %.1f %.1f rim %.2f\n", v.cup ? "cup" : "glass", v.axis.x,
                    v.axis.z, v.rim);
      platform::os::OutputDebugString(line);
    }
  }
}

const char* StagePlayer::PhaseName() const {
  static const char* const names[] = {"planning",
                                      "folding the arm",
                                      "emptying the bucket",
                                      "driving",
                                      "turning to face",
                                      "driving up to the pot",
                                      "reaching over the pot",
                                      "lowering into the pot",
                                      "dipping the bucket",
                                      "scooping",
                                      "lifting out",
                                      "raising the load",
                                      "backing off",
                                      "reaching over the vessel",
                                      "pouring",
                                      "confirming the order"};
  return names[static_cast<int>(phase_)];
}

void StagePlayer::Enter(Phase p) {
  if (p != phase_) {
    const game::GameState& g = game::gameState;
    Joints j = ArmModel::Current();
    char line[256];
    std::snprintf(line, sizeof line,
                  "autopilot: turn %lld %s -> phase %d (boom %.2f arm %.2f bucket %.2f tilt %.2f, dipped %d loaded %d "
                  "amount %.0f ing %d; at %.1f %.1f; cup %.0f %.0f %.0f glass %.0f %.0f %.0f)\n",
                  static_cast<long long>(platform::os::CurrentTurn()), PhaseName(), static_cast<int>(p), j.boom, j.arm,
                  j.bucket, ArmModel::Tilt(j), g.bucketDipped, g.bucketLoaded, g.bucketAmount,
                  static_cast<int>(g.bucketIngredient), ReadStance().chassis.x, ReadStance().chassis.z, Poured(true, 1),
                  Poured(true, 2), Poured(true, 3), Poured(false, 1), Poured(false, 2), Poured(false, 3));
    platform::os::OutputDebugString(line);
  }
  phase_ = p;
  phaseTurns_ = 0;
  liftPath_.reset();
  shedTo_.reset();
  if (p == Phase::Plan) crept_ = false;
  creep_.clear();
  liftPlans_ = 0;
  liftFailed_ = false;
  undone_.clear();
  previous_ = beforePrevious_ = {};
  goal_.reset();
}

double StagePlayer::Remaining(const Vessel& v, int ingredient) const {
  return v.wanted[ingredient] - Poured(v.cup, ingredient);
}

// The point on the table's edge nearest `axis`, moved `inset` inward.
Ground StagePlayer::ParkFor(Ground axis, double inset) const {
  const Area& t = layout_.table;
  Ground edge{std::clamp(axis.x, t.x0, t.x1), std::clamp(axis.z, t.z0, t.z1)};
  Ground inward = Unit(edge - axis);
  return edge + inward * inset;
}

// Where the chassis turns toward a pot or vessel before it drives up: as far
// in as the obstacles allow, so that the bucket swings clear of the rims.
Ground StagePlayer::PreParkFor(Ground axis) const {
  for (double inset = 14; inset >= kEdge; inset -= 1) {
    Ground p = ParkFor(axis, inset);
    if (routes_.Free(p)) return p;
  }
  return ParkFor(axis, kEdge);
}

double StagePlayer::HoldingNow() const {
  const game::GameState& g = game::gameState;
  return g.bucketLoaded ? g.bucketAmount : ArmModel::Capacity(ArmModel::Tilt(ArmModel::Current()));
}

// One move of the arm toward the cost's minimum; none once no move helps. A
// move the game undid (a probe met something) is not tried again until the
// arm has moved otherwise.
std::optional<Keys> StagePlayer::ArmTowards(const ArmCost& cost) {
  Joints now = ArmModel::Current();
  if (beforePrevious_.move && SameJoints(now, beforePrevious_.from)) undone_.push_back({now, beforePrevious_.move->id});
  std::vector<int> blocked;
  for (const auto& [from, id] : undone_)
    if (SameJoints(from, now)) blocked.push_back(id);
  // A detour of a few moves may not spill what the bucket holds now.
  const double holding = std::min(HoldingNow(), ArmModel::Capacity(ArmModel::Tilt(now)));
  std::optional<ArmMove> move = BestArmMove(
      now, Pace(), cost, blocked, [&](const Joints& j) { return ArmModel::Capacity(ArmModel::Tilt(j)) >= holding; });
  if (std::getenv("ZARN_AP_TRACE")) {
    char line[200];
    std::snprintf(line, sizeof line, "  arm %.3f %.3f %.3f low %.2f mid %.2f cost %.3f move %d blocked %zu\n", now.boom,
                  now.arm, now.bucket, arm_.Lowest(now), arm_.Middle(now).f, cost(now), move ? move->id : -1,
                  blocked.size());
    platform::os::OutputDebugString(line);
  }
  beforePrevious_ = previous_;
  previous_ = {now, move};
  if (!move) return std::nullopt;
  return move->keys;
}

std::optional<Keys> StagePlayer::ArmToGoal(double floor, double rim, double reach, double inner) {
  if (!goal_) return std::nullopt;
  const Joints goal = *goal_;
  const double goalCapacity = ArmModel::Capacity(ArmModel::Tilt(goal));
  return ArmTowards([&](const Joints& j) {
    double low = arm_.Lowest(j);
    Plane span = arm_.Reach(j);
    double cost = Sq(j.boom - goal.boom) + Sq(j.arm - goal.arm) + 4 * Sq(j.bucket - goal.bucket);
    cost += 5 * Sq(std::max(0.0, floor - low));
    // A load spilled on the way is lost for good: hold the goal's tilt or better.
    cost += 0.5 * std::max(0.0, std::min(HoldingNow(), goalCapacity) - ArmModel::Capacity(ArmModel::Tilt(j)));
    if (low < rim)
      cost += 5 * (Sq(std::max(0.0, (reach - inner) - span.f)) + Sq(std::max(0.0, span.h - (reach + inner))));
    return cost;
  });
}

// Sets off on a route to where the chassis turns toward target_.
Keys StagePlayer::TravelToTarget(const char* noRoute) {
  path_ = routes_.Route(ReadStance().chassis, PreParkFor(target_));
  if (path_.empty()) {
    failure_ = noRoute;
    return {};
  }
  pathIndex_ = 0;
  afterTravel_ = Phase::Face;
  Enter(Phase::Travel);
  return {};
}

Keys StagePlayer::Plan() {
  const game::GameState& g = game::gameState;
  trip_ = {};
  vesselIndex_ = 0;
  if (g.bucketLoaded) {
    for (std::size_t v = 0; v < layout_.vessels.size(); ++v)
      if (Remaining(layout_.vessels[v], static_cast<int>(g.bucketIngredient)) > kWorthATrip &&
          static_cast<int>(g.bucketIngredient) != 0)
        trip_.vessels.push_back(static_cast<int>(v));
    if (trip_.vessels.empty()) {
      Enter(Phase::Dump);
      return {};
    }
    trip_.ingredient = static_cast<int>(g.bucketIngredient);
    target_ = layout_.vessels[trip_.vessels[0]].axis;
    return TravelToTarget("no way across the table to the vessel");
  }
  for (int ingredient = 1; ingredient <= 3 && trip_.vessels.empty(); ++ingredient) {
    if (!layout_.PotOf(ingredient)) continue;
    for (std::size_t v = 0; v < layout_.vessels.size(); ++v)
      if (Remaining(layout_.vessels[v], ingredient) > kWorthATrip) trip_.vessels.push_back(static_cast<int>(v));
    if (!trip_.vessels.empty()) trip_.ingredient = ingredient;
  }
  if (trip_.vessels.empty()) {
    Enter(Phase::Confirm);
    return {};
  }
  target_ = layout_.PotOf(trip_.ingredient)->axis;
  Enter(Phase::Fold);
  return {};
}

std::optional<Keys> StagePlayer::TravelTo(Ground point, bool forward) {
  Stance s = ReadStance();
  Ground to = point - s.chassis;
  double along = Dot(to, s.facing);
  double step = DriveStep();
  if (Length(to) < step * 0.55 || (Length(to) < 1.5 && std::abs(along) < step * 0.55)) return std::nullopt;
  Ground heading = forward ? s.facing : s.facing * -1;
  double turn = TurnAngle(heading, Unit(to));
  double turnStep = TurnStep();
  // Turn first when the way is off by more than a step, unless the point is
  // so near that driving along the projection is enough.
  if (std::abs(turn) > std::max(0.03, turnStep * 0.55) && Length(to) > 1.5) return TurnKeys(turn);
  return Drive(along > 0);
}

Keys StagePlayer::FaceTarget(Ground target, Phase next) {
  Stance s = ReadStance();
  double swing = s.Swing();
  if (std::abs(swing) > TurnStep() * 0.55) return SwingKeys(-swing);
  double turn = TurnAngle(s.facing, Unit(target - s.chassis));
  if (std::abs(turn) > TurnStep() * 0.55) return TurnKeys(turn);
  Enter(next);
  return {};
}

// Whether the wheels stay `margin` inside the table after the chassis moves
// as `keys` drive it for one turn (a turn is checked both ways).
bool StagePlayer::WheelsStayOn(const Keys& keys, const Stance& s, double margin) const {
  if (!keys.tab || (!keys.up && !keys.down && !keys.left && !keys.right)) return true;
  const Area inside = layout_.table.Grown(-margin);
  auto onTable = [&](Ground at, Ground front) {
    for (double f : {-kWheelAhead, kWheelAhead})
      for (double w : {-kWheelSide, kWheelSide})
        if (!inside.Contains(Wheel(at, front, f, w))) return false;
    return true;
  };
  if (keys.up != keys.down) return onTable(s.chassis + s.facing * (keys.up ? DriveStep() : -DriveStep()), s.facing);
  const double a = TurnStep();
  for (double turn : {-a, a}) {
    Ground front{s.facing.x * std::cos(turn) - s.facing.z * std::sin(turn),
                 s.facing.x * std::sin(turn) + s.facing.z * std::cos(turn)};
    if (!onTable(s.chassis, front)) return false;
  }
  return true;
}

// The chassis goes whole steps (0.2 x pace), so the front wheels stop up to
// a step short of the edge. One step taken at an angle a, while the edge is
// still far, goes only cos(a) of a step along the way and leaves whole steps
// to go: the keys for that step and the turns around it, none when the
// wheels would stop near enough anyway.
std::vector<Keys> StagePlayer::CreepKeys(const Stance& s) const {
  const double step = DriveStep(), turnStep = TurnStep();
  const Area inside = layout_.table.Grown(-kWheelMargin);
  double room = 1e9;  // how far the front wheels may go along the facing
  for (double w : {-kWheelSide, kWheelSide}) {
    Ground wheel = Wheel(s.chassis, s.facing, kWheelAhead, w);
    double t = 0;
    while (t < 60 && inside.Contains(wheel + s.facing * (t + 0.02))) t += 0.02;
    room = std::min(room, t);
  }
  const double rest = std::fmod(room, step);
  if (room < 3 * step || rest < 0.2 * step) return {};
  const int turns = static_cast<int>(std::lround(std::acos(std::min(1.0, rest / step)) / turnStep));
  if (turns == 0) return {};
  std::vector<Keys> keys(turns, TurnKeys(1));
  keys.push_back(Drive(true));
  keys.insert(keys.end(), turns, TurnKeys(-1));
  return keys;
}

Keys StagePlayer::Turn(std::string& failure) {
  Keys keys = Step();
  // Never off the edge, whatever a phase asks for: a held-back phase ends
  // at its own limit.
  if (!WheelsStayOn(keys, ReadStance(), 0.02)) keys = {};
  if (failure_.empty() && ++phaseTurns_ > kPhaseTurnLimit) failure_ = std::string("no progress while ") + PhaseName();
  // Phases that hand over to each other in a circle never hit their own
  // limit: the tallies must grow now and then.
  double poured = 0;
  for (int i = 1; i <= 3; ++i) poured += Poured(true, i) + Poured(false, i);
  // Progress is a whole unit at least: a bucket that spills at the rim may
  // add crumbs to a tally turn after turn.
  if (poured >= pouredBefore_ + 1) {
    pouredBefore_ = poured;
    turnsSincePour_ = 0;
  } else if (failure_.empty() && ++turnsSincePour_ > kPourTurnLimit / Pace()) {
    failure_ = "nothing poured for a long time";
  }
  failure = failure_;
  return keys;
}

Keys StagePlayer::Step() {
  Moment m;
  m.stance = ReadStance();
  m.joints = ArmModel::Current();
  m.pot = layout_.PotOf(trip_.ingredient);
  m.body = m.stance.body.y;
  m.travelLow = layout_.highest + 0.4 - m.body;
  if (m.pot)
    m.potReach = m.stance.InBodyPlane({static_cast<float>(m.pot->axis.x), 0, static_cast<float>(m.pot->axis.z)}).f;
  switch (phase_) {
    case Phase::Plan: return Plan();
    case Phase::Fold: return Folding(m);
    case Phase::Dump: return Dumping(m);
    case Phase::Travel: return Travelling();
    case Phase::Face: return Facing();
    case Phase::Approach: return Approaching(m);
    case Phase::AbovePot:
    case Phase::Lower: return Lowering(m);
    case Phase::Dip: return Dipping(m);
    case Phase::Scoop: return Scooping(m);
    case Phase::LiftOut:
      if (m.pot && !liftFailed_) {
        if (auto keys = LiftOut(*m.pot, m.stance)) return *keys;
        if (!liftFailed_) return {};
      }
      return Raising(m);
    case Phase::Raise: return Raising(m);
    case Phase::BackOff: return BackingOff(m);
    case Phase::OverVessel: return ReachingOverVessel(m);
    case Phase::Pour: return Pouring(m);
    case Phase::Confirm:
      return {.space = game::gameState.orderDonePhase != game::OrderDonePhase::Waiting && phaseTurns_ % 2 == 1};
  }
  return {};
}

Keys StagePlayer::Folding(const Moment& m) {
  const double travelLow = m.travelLow;
  // Back to rest, the bucket above every rim on the way.
  auto keys = ArmTowards([&](const Joints& j) {
    return Sq(j.boom) + Sq(j.arm) + Sq(j.bucket) + 5 * Sq(std::max(0.0, travelLow - arm_.Lowest(j)));
  });
  if (keys) return *keys;
  return TravelToTarget("no way across the table to the pot");
}

Keys StagePlayer::Dumping(const Moment& m) {
  const game::GameState& g = game::gameState;
  const Stance& s = m.stance;
  if (!g.bucketLoaded) {
    Enter(Phase::Plan);
    return {};
  }
  // Spill it over the table, away from every vessel.
  const Area& t = layout_.table;
  Ground centre{(t.x0 + t.x1) / 2, (t.z0 + t.z1) / 2};
  double turn = TurnAngle(s.facing, Unit(centre - s.chassis));
  if (std::abs(turn) > 0.3) return TurnKeys(turn);
  return {.right = true, .control = true};
}

Keys StagePlayer::Travelling() {
  if (pathIndex_ >= path_.size()) {
    Enter(afterTravel_);
    return {};
  }
  if (auto keys = TravelTo(path_[pathIndex_], true)) return *keys;
  ++pathIndex_;
  return {};
}

Keys StagePlayer::Facing() {
  const game::GameState& g = game::gameState;
  bool toVessel = g.bucketLoaded;
  return FaceTarget(target_, toVessel ? Phase::OverVessel : Phase::Approach);
}

Keys StagePlayer::Approaching(const Moment& m) {
  const Stance& s = m.stance;
  // Straight on toward the pot, as near the edge as the wheels allow.
  // Something in the way stops it too.
  if (!creep_.empty()) {
    Keys k = creep_.front();
    creep_.erase(creep_.begin());
    if (creep_.empty()) Enter(Phase::Face);
    return k;
  }
  if (!crept_) {
    crept_ = true;
    creep_ = CreepKeys(s);
    if (!creep_.empty()) return {};
  }
  Keys forward = Drive(true);
  bool moved = phaseTurns_ < 2 || Length(s.chassis - lastChassis_) > 1e-3;
  lastChassis_ = s.chassis;
  if (moved && WheelsStayOn(forward, s, kWheelMargin)) return forward;
  Enter(Phase::AbovePot);
  return {};
}

Keys StagePlayer::Lowering(const Moment& m) {
  const Pot* pot = m.pot;
  const double body = m.body;
  if (!pot) {
    Enter(Phase::Plan);
    return {};
  }
  double reach = m.potReach;
  // Each failed dip starts the next one a little lower.
  double low = phase_ == Phase::AbovePot ? pot->rim + 1.5 : pot->surface + 0.9 - 0.4 * dipTries_;
  low -= body;
  auto keys = ArmTowards([&](const Joints& j) {
    // The bucket's edge goes in steeply, so that a curl step cannot
    // carry its short edge probe across the surface in one go.
    return Sq(std::max(0.0, std::abs(arm_.Middle(j).f - reach) - 2.5)) + Sq(arm_.Lowest(j) - low) +
           20 * Sq(ArmModel::Tilt(j) + 0.6);
  });
  if (keys) return *keys;
  Enter(phase_ == Phase::AbovePot ? Phase::Lower : Phase::Dip);
  return {};
}

Keys StagePlayer::Dipping(const Moment& m) {
  const game::GameState& g = game::gameState;
  const Joints& now = m.joints;
  if (g.bucketDipped) {
    depth_ = 0.6;
    dipTries_ = 0;
    Enter(Phase::LiftOut);
    return {};
  }
  if (phaseTurns_ == 0) dipStart_ = ArmModel::Tilt(now);
  // Curling lowers the bucket's edge a little each turn; if it has not
  // met the surface after a quarter turn, start again lower.
  if (ArmModel::Tilt(now) < dipStart_ - 0.8) {
    if (++dipTries_ > 6) {
      failure_ = "the bucket did not dip into the pot";
      return {};
    }
    Enter(Phase::Lower);
    return {};
  }
  return {.left = true, .control = true};
}

Keys StagePlayer::Scooping(const Moment& m) {
  const game::GameState& g = game::gameState;
  const Joints& now = m.joints;
  const Pot* pot = m.pot;
  const double body = m.body;
  if (!g.bucketDipped) {
    Enter(g.bucketLoaded ? Phase::Raise : Phase::AbovePot);
    return {};
  }
  // Enough when turned over, or when the bucket has tried long enough.
  if (ArmModel::Tilt(now) <= kScoopTilt || phaseTurns_ > 150) {
    Enter(Phase::LiftOut);
    return {};
  }
  double surface = pot ? pot->surface - body : 0;
  double floor = pot ? pot->floor - body + 0.4 : -1e9;
  double reach = m.potReach;
  // Keep the bucket under the surface while it curls: curling lifts its
  // edge, so lower the boom when the lowest point rises near the surface,
  // but never onto the solid below.
  auto keys = ArmTowards([&](const Joints& j) {
    double low = arm_.Lowest(j);
    return Sq(ArmModel::Tilt(j) - kScoopTilt - 0.1) + 2 * Sq(std::max(0.0, low - (surface - depth_))) +
           10 * Sq(std::max(0.0, floor - low)) + 0.1 * Sq(arm_.Middle(j).f - reach);
  });
  if (keys) return *keys;
  Enter(Phase::LiftOut);
  return {};
}

Keys StagePlayer::Raising(const Moment& m) {
  const game::GameState& g = game::gameState;
  const Joints& now = m.joints;
  const Pot* pot = m.pot;
  const double body = m.body;
  const double travelLow = m.travelLow;
  const bool lifting = phase_ == Phase::LiftOut;
  if (phase_ == Phase::Raise && !g.bucketLoaded) {
    Enter(Phase::BackOff);
    return {};
  }
  double reach = m.potReach;
  double rim = (pot ? pot->rim : layout_.highest) - body + 0.35;
  double inner = (pot ? pot->inner : 8.4) - 0.4;
  if (!goal_) {
    // Out of the pot: the fullest pose that clears the rim inside the pot;
    // then the fullest that clears every rim, tucked in toward the cab.
    goal_ = BestPose(
        [&](const Joints& j) {
          double low = arm_.Lowest(j);
          Plane span = arm_.Reach(j);
          if (lifting) return low >= rim && span.f >= reach - inner && span.h <= reach + inner;
          return low >= travelLow && span.f >= kTuckedIn;
        },
        [&](const Joints& j) { return ArmModel::Capacity(ArmModel::Tilt(j)) - 20 * JointDistance(j, now); }, now,
        Pace());
    if (!goal_) {
      failure_ = "no pose lifts the bucket over the rim";
      return {};
    }
  }
  auto keys = ArmToGoal(lifting ? -1e9 : rim, rim, reach, inner);
  if (keys) return *keys;
  if (lifting) {
    Enter(g.bucketDipped ? Phase::Scoop : g.bucketLoaded ? Phase::Raise : Phase::AbovePot);
    return {};
  }
  Enter(Phase::BackOff);
  return {};
}

Keys StagePlayer::BackingOff(const Moment& m) {
  const Stance& s = m.stance;
  Ground back = PreParkFor(target_);
  if (Dot(back - s.chassis, s.facing) > -DriveStep() * 0.55) {
    Enter(Phase::Plan);
    return {};
  }
  return Drive(false);
}

Keys StagePlayer::ReachingOverVessel(const Moment& m) {
  const game::GameState& g = game::gameState;
  const Stance& s = m.stance;
  const Joints& now = m.joints;
  const double body = m.body;
  const double travelLow = m.travelLow;
  if (vesselIndex_ >= trip_.vessels.size() || !g.bucketLoaded) {
    Enter(Phase::BackOff);
    return {};
  }
  const Vessel& v = layout_.vessels[trip_.vessels[vesselIndex_]];
  Vec3 mouth = WorldOf(objects.bucketMouthFrame);
  double gap = Length(v.axis - Ground{mouth.x, mouth.z});
  double within = v.pourRadius - 1.5;
  Ground park = ParkFor(v.axis, kParkInset);
  double room = Dot(park - s.chassis, s.facing);  // how far the chassis may still go
  double step = DriveStep();
  double reach = s.InBodyPlane({static_cast<float>(v.axis.x), 0, static_cast<float>(v.axis.z)}).f;
  double low = std::max(travelLow, v.rim + 0.4 - body);
  auto overVessel = [&](double at) {
    return [&, at](const Joints& j) {
      return arm_.Lowest(j) >= low && arm_.Reach(j).f >= kTuckedIn && std::abs(arm_.Mouth(j).f - at) <= within;
    };
  };
  // What the reach spills goes into the vessel: no more than it wants.
  // When no pose over it holds the rest, spill the excess here first,
  // away from it.
  const double wanted = std::max(0.0, Remaining(v, trip_.ingredient) - kEnough);
  if (!shedTo_) {
    auto fullest = BestPose(
        overVessel(reach - std::max(0.0, room)), [&](const Joints& j) { return ArmModel::Capacity(ArmModel::Tilt(j)); },
        now, Pace());
    shedTo_ = fullest ? ArmModel::Capacity(ArmModel::Tilt(*fullest)) + wanted - 5 : 1e9;
  }
  // The game empties a turned bucket a turn later: count what this turn's
  // tilt is about to spill as gone already, or the shed overshoots by a step.
  if (std::min<double>(g.bucketAmount, ArmModel::Capacity(ArmModel::Tilt(now))) > *shedTo_) {
    if (gap < v.pourRadius + 2) return Drive(false);
    return {.right = true, .control = true};
  }
  if (gap > within && room > step * 0.55) return Drive(true);
  // Reach the rest with the arm, keeping the load above the rim.
  double keep = g.bucketAmount - wanted;
  if (gap > within && !goal_) {
    // The fullest pose over the vessel that keeps at least `least`, the
    // nearer the present one the better.
    auto holding = [&](double least) {
      return BestPose(
          [&](const Joints& j) { return overVessel(reach)(j) && ArmModel::Capacity(ArmModel::Tilt(j)) >= least; },
          [&](const Joints& j) { return ArmModel::Capacity(ArmModel::Tilt(j)) - 20 * JointDistance(j, now); }, now,
          Pace());
    };
    goal_ = holding(keep);
    if (!goal_) {
      // Where the chassis stopped, less can be held over the vessel than
      // planned. A load of less than kLeastPour is lost whole in one tilt
      // step (the game unloads the bucket before it credits the pour):
      // rather spill some of it into the vessel on the way, which the 50 the
      // order allows absorbs. Otherwise spill a little more away from it and
      // try again.
      goal_ = holding(std::min<double>(keep, kLeastPour));
      if (goal_) return {};
      *shedTo_ -= 25;
      if (*shedTo_ < 0) failure_ = "no pose holds the bucket over the vessel";
      return {};
    }
  }
  if (gap > within) {
    if (auto keys = ArmToGoal(low, -1e9, 0, 0)) return *keys;
  }
  if (gap > v.pourRadius - 0.3) {
    // Not over the vessel after all: empty the bucket and fetch again.
    Enter(Phase::BackOff);
    return {};
  }
  Enter(Phase::Pour);
  return {};
}

Keys StagePlayer::Pouring(const Moment& m) {
  const game::GameState& g = game::gameState;
  const Joints& now = m.joints;
  if (!g.bucketLoaded || vesselIndex_ >= trip_.vessels.size()) {
    Enter(Phase::BackOff);
    return {};
  }
  const Vessel& v = layout_.vessels[trip_.vessels[vesselIndex_]];
  // The game credits a tilt in the step after the bucket turned: count
  // what the bucket's present turn is about to pour.
  double pending = g.bucketAmount - std::min<double>(g.bucketAmount, ArmModel::Capacity(ArmModel::Tilt(now)));
  if (Remaining(v, trip_.ingredient) - pending <= kEnough) {
    ++vesselIndex_;
    Enter(Phase::BackOff);
    return {};
  }
  Vec3 mouth = WorldOf(objects.bucketMouthFrame);
  if (Length(v.axis - Ground{mouth.x, mouth.z}) > v.pourRadius - 0.3) {
    Enter(Phase::OverVessel);
    return {};
  }
  return {.right = true, .control = true};
}

}  // namespace autopilot
