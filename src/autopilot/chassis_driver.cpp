#include "autopilot/chassis_driver.h"

#include <algorithm>
#include <cmath>

#include "autopilot/player_tuning.h"
#include "platform/rm/portable_math.h"

namespace autopilot {

namespace {

constexpr double kEdge = 5.0;                          // routes keep the chassis this far inside the edges
constexpr double kClearance = 7.8;                     // and this far from the dishes, cakes and spoon
constexpr double kWheelAhead = 3.7, kWheelSide = 2.5;  // the wheel markers from the chassis's origin

// A wheel marker of a chassis standing at `at` and facing `front`.
Ground Wheel(Ground at, Ground front, double ahead, double side) {
  return at + front * ahead + Ground{-front.z, front.x} * side;
}

Keys SwingKeys(double angle) { return {.left = angle<0, .right = angle> 0, .shift = true}; }

}  // namespace

double DriveStep() { return 0.2 * Pace(); }
double TurnStep() { return 0.02 * Pace(); }

Keys Drive(bool forward) { return {.up = forward, .down = !forward, .tab = true}; }
Keys TurnKeys(double angle) { return {.left = angle<0, .right = angle> 0, .tab = true}; }

ChassisDriver::ChassisDriver(const Area& table, const std::vector<Area>& obstacles)
    : table_(table), routes_(table, obstacles, kEdge, kClearance) {}

std::vector<Ground> ChassisDriver::Route(Ground from, Ground to) const { return routes_.Route(from, to); }

Ground ChassisDriver::ParkFor(Ground axis, double inset) const {
  Ground edge{std::clamp(axis.x, table_.x0, table_.x1), std::clamp(axis.z, table_.z0, table_.z1)};
  Ground inward = Unit(edge - axis);
  return edge + inward * inset;
}

// As far in as the obstacles allow, so that the bucket swings clear of the
// rims.
Ground ChassisDriver::PreParkFor(Ground axis) const {
  for (double inset = 14; inset >= kEdge; inset -= 1) {
    Ground p = ParkFor(axis, inset);
    if (routes_.Free(p)) return p;
  }
  return ParkFor(axis, kEdge);
}

std::optional<Keys> ChassisDriver::TravelTo(const Stance& s, Ground point) const {
  Ground to = point - s.chassis;
  double along = Dot(to, s.facing);
  double step = DriveStep();
  if (Length(to) < step * 0.55 || (Length(to) < 1.5 && std::abs(along) < step * 0.55)) return std::nullopt;
  double turn = TurnAngle(s.facing, Unit(to));
  // Turn first when the way is off by more than a step, unless the point is
  // so near that driving along the projection is enough.
  if (std::abs(turn) > std::max(0.03, TurnStep() * 0.55) && Length(to) > 1.5) return TurnKeys(turn);
  return Drive(along > 0);
}

std::optional<Keys> ChassisDriver::Face(const Stance& s, Ground target) const {
  double swing = s.Swing();
  if (std::abs(swing) > TurnStep() * 0.55) return SwingKeys(-swing);
  double turn = TurnAngle(s.facing, Unit(target - s.chassis));
  if (std::abs(turn) > TurnStep() * 0.55) return TurnKeys(turn);
  return std::nullopt;
}

// A turn is checked both ways.
bool ChassisDriver::WheelsStayOn(const Keys& keys, const Stance& s, double margin) const {
  if (!keys.tab || (!keys.up && !keys.down && !keys.left && !keys.right)) return true;
  const Area inside = table_.Grown(-margin);
  auto onTable = [&](Ground at, Ground front) {
    for (double f : {-kWheelAhead, kWheelAhead})
      for (double w : {-kWheelSide, kWheelSide})
        if (!inside.Contains(Wheel(at, front, f, w))) return false;
    return true;
  };
  if (keys.up != keys.down) return onTable(s.chassis + s.facing * (keys.up ? DriveStep() : -DriveStep()), s.facing);
  const double a = TurnStep();
  for (double turn : {-a, a}) {
    Ground front{s.facing.x * platform::rm::Cos(turn) - s.facing.z * platform::rm::Sin(turn),
                 s.facing.x * platform::rm::Sin(turn) + s.facing.z * platform::rm::Cos(turn)};
    if (!onTable(s.chassis, front)) return false;
  }
  return true;
}

// The chassis goes whole steps (0.2 x pace), so the front wheels stop up to
// a step short of the edge. One step taken at an angle a, while the edge is
// still far, goes only cos(a) of a step along the way and leaves whole steps
// to go.
std::vector<Keys> ChassisDriver::CreepKeys(const Stance& s) const {
  const double step = DriveStep(), turnStep = TurnStep();
  const Area inside = table_.Grown(-kWheelMargin);
  double room = 1e9;  // how far the front wheels may go along the facing
  for (double w : {-kWheelSide, kWheelSide}) {
    Ground wheel = Wheel(s.chassis, s.facing, kWheelAhead, w);
    double t = 0;
    while (t < 60 && inside.Contains(wheel + s.facing * (t + 0.02))) t += 0.02;
    room = std::min(room, t);
  }
  const double rest = std::fmod(room, step);
  if (room < 3 * step || rest < 0.2 * step) return {};
  const int turns = static_cast<int>(std::lround(platform::rm::Acos(std::min(1.0, rest / step)) / turnStep));
  if (turns == 0) return {};
  std::vector<Keys> keys(turns, TurnKeys(1));
  keys.push_back(Drive(true));
  keys.insert(keys.end(), turns, TurnKeys(-1));
  return keys;
}

}  // namespace autopilot
