#include "autopilot/route.h"

#include "platform/rm/portable_math.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <queue>

namespace autopilot {

RouteMap::RouteMap(Area table, std::vector<Area> obstacles, double edge, double clearance)
    : inner_(table.Grown(-edge)) {
  for (const Area& o : obstacles) blocked_.push_back(o.Grown(clearance));
}

bool RouteMap::Free(Ground p) const {
  if (!inner_.Contains(p)) return false;
  return std::none_of(blocked_.begin(), blocked_.end(), [&](const Area& a) { return a.Contains(p); });
}

bool RouteMap::ClearLine(Ground a, Ground b) const {
  const int steps = static_cast<int>(std::ceil(Length(b - a) / 0.25)) + 1;
  for (int i = 0; i <= steps; ++i)
    if (!Free(a + (b - a) * (static_cast<double>(i) / steps))) return false;
  return true;
}

std::vector<Ground> RouteMap::Route(Ground from, Ground to) const {
  if (ClearLine(from, to)) return {from, to};
  // A* over the cells of the inner rectangle, eight neighbours each.
  const int w = static_cast<int>(std::floor(inner_.x1 - inner_.x0)) + 1;
  const int h = static_cast<int>(std::floor(inner_.z1 - inner_.z0)) + 1;
  if (w <= 0 || h <= 0) return {};
  auto cellOf = [&](Ground p) {
    int cx = std::clamp(static_cast<int>(std::lround(p.x - inner_.x0)), 0, w - 1);
    int cz = std::clamp(static_cast<int>(std::lround(p.z - inner_.z0)), 0, h - 1);
    return cz * w + cx;
  };
  auto centre = [&](int c) { return Ground{inner_.x0 + c % w, inner_.z0 + c / w}; };
  const int start = cellOf(from), goal = cellOf(to);
  std::vector<double> cost(static_cast<std::size_t>(w) * h, std::numeric_limits<double>::infinity());
  std::vector<int> came(cost.size(), -1);
  using Entry = std::pair<double, int>;
  std::priority_queue<Entry, std::vector<Entry>, std::greater<>> open;
  cost[start] = 0;
  open.push({Length(centre(goal) - centre(start)), start});
  while (!open.empty()) {
    auto [f, c] = open.top();
    open.pop();
    if (c == goal) break;
    if (f - Length(centre(goal) - centre(c)) > cost[c] + 1e-9) continue;
    for (int dz = -1; dz <= 1; ++dz)
      for (int dx = -1; dx <= 1; ++dx) {
        int x = c % w + dx, z = c / w + dz;
        if ((dx == 0 && dz == 0) || x < 0 || z < 0 || x >= w || z >= h) continue;
        int n = z * w + x;
        if (n != goal && !Free(centre(n))) continue;
        double g = cost[c] + platform::rm::Hypot(dx, dz);
        if (g < cost[n]) {
          cost[n] = g;
          came[n] = c;
          open.push({g + Length(centre(goal) - centre(n)), n});
        }
      }
  }
  if (came[goal] < 0 && goal != start) return {};
  std::vector<Ground> cells;
  for (int c = goal; c != start; c = came[c]) cells.push_back(centre(c));
  cells.push_back(from);
  std::reverse(cells.begin(), cells.end());
  cells.back() = to;
  // Straighten: from each kept point, go to the farthest one in plain sight.
  std::vector<Ground> path{cells.front()};
  std::size_t i = 0;
  while (i + 1 < cells.size()) {
    std::size_t j = cells.size() - 1;
    while (j > i + 1 && !ClearLine(cells[i], cells[j])) --j;
    path.push_back(cells[j]);
    i = j;
  }
  return path;
}

}  // namespace autopilot
