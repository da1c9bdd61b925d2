#pragma once
// Paths for the chassis over the table top: inside the drivable rectangle,
// around the dishes, cakes and spoon, on a grid of one unit.
#include <vector>

#include "autopilot/chassis_view.h"

namespace autopilot {

struct Area {
  double x0 = 0, z0 = 0, x1 = 0, z1 = 0;
  bool Contains(Ground p) const { return p.x >= x0 && p.x <= x1 && p.z >= z0 && p.z <= z1; }
  Area Grown(double by) const { return {x0 - by, z0 - by, x1 + by, z1 + by}; }
};

class RouteMap {
 public:
  // `table` is the drivable rectangle; the chassis's origin keeps `edge`
  // from its sides and `clearance` from every obstacle.
  RouteMap(Area table, std::vector<Area> obstacles, double edge, double clearance);

  bool Free(Ground p) const;
  bool ClearLine(Ground a, Ground b) const;
  // Waypoints from `from` to `to` (both included), straightened where the
  // way is clear; empty when there is none.
  std::vector<Ground> Route(Ground from, Ground to) const;

 private:
  Area inner_;
  std::vector<Area> blocked_;
};

}  // namespace autopilot
