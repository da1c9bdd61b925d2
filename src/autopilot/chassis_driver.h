#pragma once
// Drives the chassis over the table: along a route, turned to face a point,
// and never with a wheel off the edge.
#include <optional>
#include <vector>

#include "autopilot/chassis_view.h"
#include "autopilot/keys.h"
#include "autopilot/route.h"

namespace autopilot {

constexpr double kParkInset = 4.4;     // the chassis's origin inside the edge; its wheels are 3.7 ahead
constexpr double kWheelMargin = 0.06;  // how near the edge an approach takes the front wheels

// How far one turn of the keys drives the chassis, and turns it or the upper
// structure.
double DriveStep();
double TurnStep();

Keys Drive(bool forward);
Keys TurnKeys(double angle);

class ChassisDriver {
 public:
  ChassisDriver(const Area& table, const std::vector<Area>& obstacles);

  // Waypoints from `from` to `to` around the obstacles; empty when there is
  // no way.
  std::vector<Ground> Route(Ground from, Ground to) const;
  // The point on the table's edge nearest `axis`, moved `inset` inward.
  Ground ParkFor(Ground axis, double inset) const;
  // Where the chassis turns toward a pot or vessel before it drives up.
  Ground PreParkFor(Ground axis) const;

  // Keys that bring the chassis to `point`, driving forward; none once it
  // is there.
  std::optional<Keys> TravelTo(const Stance& s, Ground point) const;
  // Keys that line up the upper structure and then the chassis with
  // `target`; none once they face it.
  std::optional<Keys> Face(const Stance& s, Ground target) const;

  // Whether the wheels stay `margin` inside the table after the chassis
  // moves as `keys` drive it for one turn.
  bool WheelsStayOn(const Keys& keys, const Stance& s, double margin) const;
  // An angled step, and the turns around it, that leaves the front wheels a
  // whole number of steps from the edge; none when they stop near enough
  // anyway.
  std::vector<Keys> CreepKeys(const Stance& s) const;

 private:
  Area table_;
  RouteMap routes_;
};

}  // namespace autopilot
