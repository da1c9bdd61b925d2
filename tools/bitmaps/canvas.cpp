#include "canvas.h"

#include <algorithm>
#include <cmath>

namespace bitmaps {

Mask PolygonMask(int width, int height, const std::vector<Point>& corners) {
  Mask mask(width, height);
  const std::size_t n = corners.size();
  std::vector<double> crossings;
  for (int y = 0; y < height; ++y) {
    const double yc = y + 0.5;  // sample at pixel centres
    crossings.clear();
    for (std::size_t i = 0; i < n; ++i) {
      const Point a = corners[i], b = corners[(i + 1) % n];
      if ((a.y <= yc && yc < b.y) || (b.y <= yc && yc < a.y))
        crossings.push_back(a.x + (yc - a.y) * (b.x - a.x) / double(b.y - a.y));
    }
    std::sort(crossings.begin(), crossings.end());
    for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
      for (int x = 0; x < width; ++x) {
        const double xc = x + 0.5;
        if (xc >= crossings[i] && xc < crossings[i + 1]) mask.Set(x, y);
      }
    }
  }
  return mask;
}

Mask DiscMask(int width, int height, Point centre, int radius) {
  Mask mask(width, height);
  // r^2 + r rounds the rim so small discs do not come out as diamonds.
  const int limit = radius * radius + radius;
  for (int y = centre.y - radius; y <= centre.y + radius; ++y)
    for (int x = centre.x - radius; x <= centre.x + radius; ++x) {
      const int dx = x - centre.x, dy = y - centre.y;
      if (dx * dx + dy * dy <= limit) mask.Set(x, y);
    }
  return mask;
}

Mask BarMask(int width, int height, Point from, Point to, int thickness) {
  const double ax = from.x + 0.5, ay = from.y + 0.5, bx = to.x + 0.5, by = to.y + 0.5;
  const double length = std::hypot(bx - ax, by - ay);
  Mask mask(width, height);
  if (length == 0) return mask;
  const double half = thickness / 2.0;
  // A rectangle around the segment, tested per pixel centre.
  const double ux = (bx - ax) / length, uy = (by - ay) / length;
  const int x0 = std::max(0, int(std::min(ax, bx) - half - 1));
  const int x1 = std::min(width - 1, int(std::max(ax, bx) + half + 1));
  const int y0 = std::max(0, int(std::min(ay, by) - half - 1));
  const int y1 = std::min(height - 1, int(std::max(ay, by) + half + 1));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const double px = x + 0.5 - ax, py = y + 0.5 - ay;
      const double along = px * ux + py * uy;
      const double across = -px * uy + py * ux;
      if (along >= -half && along <= length + half && std::abs(across) <= half) mask.Set(x, y);
    }
  return mask;
}

void Canvas::Paint(const Mask& mask, int fill, int outline) {
  for (int y = 0; y < height_ && y < mask.Height(); ++y)
    for (int x = 0; x < width_ && x < mask.Width(); ++x) {
      if (!mask.On(x, y)) continue;
      const bool edge = !mask.On(x - 1, y) || !mask.On(x + 1, y) || !mask.On(x, y - 1) || !mask.On(x, y + 1);
      const int colour = edge && outline != kNoColour ? outline : fill;
      if (colour != kNoColour) Set(x, y, static_cast<std::uint8_t>(colour));
    }
}

}  // namespace bitmaps
