#include "primitives.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace models {

using platform::rm::Normalize;

namespace {

Vec3 AxisVector(Axis axis) {
  switch (axis) {
    case Axis::kX: return {1, 0, 0};
    case Axis::kY: return {0, 1, 0};
    case Axis::kZ: return {0, 0, 1};
  }
  return {};
}

// The two directions across the axis, in the order the scales name them.
std::pair<Vec3, Vec3> AcrossAxis(Axis axis) {
  switch (axis) {
    case Axis::kX: return {{0, 1, 0}, {0, 0, 1}};
    case Axis::kY: return {{1, 0, 0}, {0, 0, 1}};
    case Axis::kZ: return {{1, 0, 0}, {0, 1, 0}};
  }
  return {};
}

float SignedArea(const std::vector<Point2>& p) {
  float area = 0;
  for (std::size_t i = 0, n = p.size(); i < n; ++i) {
    const Point2 a = p[i], b = p[(i + 1) % n];
    area += a.u * b.v - b.u * a.v;
  }
  return area / 2;
}

float Cross2(Point2 o, Point2 a, Point2 b) { return (a.u - o.u) * (b.v - o.v) - (a.v - o.v) * (b.u - o.u); }

bool InTriangle(Point2 p, Point2 a, Point2 b, Point2 c) {
  return Cross2(a, b, p) >= 0 && Cross2(b, c, p) >= 0 && Cross2(c, a, p) >= 0;
}

// Whether segments ab and cd cross or touch.
bool SegmentsMeet(Point2 a, Point2 b, Point2 c, Point2 d) {
  const float d1 = Cross2(a, b, c), d2 = Cross2(a, b, d), d3 = Cross2(c, d, a), d4 = Cross2(c, d, b);
  if (((d1 > 0 && d2 < 0) || (d1 < 0 && d2 > 0)) && ((d3 > 0 && d4 < 0) || (d3 < 0 && d4 > 0))) return true;
  auto onSegment = [](Point2 p, Point2 q, Point2 r) {  // r on pq, given collinear
    return std::min(p.u, q.u) <= r.u && r.u <= std::max(p.u, q.u) && std::min(p.v, q.v) <= r.v &&
           r.v <= std::max(p.v, q.v);
  };
  return (d1 == 0 && onSegment(a, b, c)) || (d2 == 0 && onSegment(a, b, d)) || (d3 == 0 && onSegment(c, d, a)) ||
         (d4 == 0 && onSegment(c, d, b));
}

bool IsSimple(const std::vector<Point2>& p) {
  const std::size_t n = p.size();
  for (std::size_t i = 0; i < n; ++i)
    for (std::size_t j = i + 1; j < n; ++j) {
      if (j == i + 1 || (i == 0 && j == n - 1)) continue;  // neighbours share a corner
      if (SegmentsMeet(p[i], p[(i + 1) % n], p[j], p[(j + 1) % n])) return false;
    }
  return true;
}

}  // namespace

Vec3 FromPlane(Axis axis, float u, float v, float w) {
  switch (axis) {
    case Axis::kX: return {w, v, -u};
    case Axis::kY: return {u, w, v};
    case Axis::kZ: return {u, v, w};
  }
  return {};
}

void AddBox(Mesh& mesh, const Rgba& colour, Vec3 lo, Vec3 hi) {
  const Vec3 c[8] = {{lo.x, lo.y, lo.z}, {hi.x, lo.y, lo.z}, {hi.x, hi.y, lo.z}, {lo.x, hi.y, lo.z},
                     {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}};
  mesh.AddQuad(c[0], c[1], c[2], c[3], {0, 0, -1}, colour);
  mesh.AddQuad(c[5], c[4], c[7], c[6], {0, 0, 1}, colour);
  mesh.AddQuad(c[4], c[0], c[3], c[7], {-1, 0, 0}, colour);
  mesh.AddQuad(c[1], c[5], c[6], c[2], {1, 0, 0}, colour);
  mesh.AddQuad(c[3], c[2], c[6], c[7], {0, 1, 0}, colour);
  mesh.AddQuad(c[4], c[5], c[1], c[0], {0, -1, 0}, colour);
}

void AddLathe(Mesh& mesh, const Rgba& colour, Axis axis, Vec3 centre, const std::vector<Point2>& profile,
              const LatheOptions& options) {
  if (profile.size() < 2 || options.segments < 3)
    throw std::invalid_argument("a lathe needs two profile points and three segments");
  for (const Point2& p : profile)
    if (p.u < 0) throw std::invalid_argument("a lathe's radii cannot be negative");
  if (!(options.scale1 > 0 && options.scale2 > 0)) throw std::invalid_argument("a lathe's scales must be positive");
  const Vec3 a = AxisVector(axis);
  const auto [e1, e2] = AcrossAxis(axis);
  const int n = options.segments;
  auto radial = [&](int k) {
    const double phi = 2 * std::numbers::pi * k / n;
    return e1 * static_cast<float>(std::cos(phi) * options.scale1) +
           e2 * static_cast<float>(std::sin(phi) * options.scale2);
  };
  auto at = [&](Point2 p, int k) { return centre + a * p.v + radial(k) * p.u; };
  for (std::size_t i = 0; i + 1 < profile.size(); ++i) {
    const Point2 p = profile[i], q = profile[i + 1];
    const float dr = q.u - p.u, dh = q.v - p.v;
    if (dr == 0 && dh == 0) continue;
    for (int k = 0; k < n; ++k) {
      // The profile's right-hand normal (dh, -dr) turned to each corner.
      auto normalAt = [&](int kk) { return Normalize(radial(kk) * dh - a * dr); };
      const Vec3 across = (radial(k) + radial(k + 1)) * 0.5f;
      const Vec3 outward = across * dh - a * dr;
      const Vec3 p0 = at(p, k), p1 = at(p, k + 1), q0 = at(q, k), q1 = at(q, k + 1);
      const Vec3 n0 = normalAt(k), n1 = normalAt(k + 1);
      if (options.flat) {
        if (p.u == 0)
          mesh.AddTriangle(p0, q0, q1, outward, colour);
        else if (q.u == 0)
          mesh.AddTriangle(p0, p1, q0, outward, colour);
        else
          mesh.AddQuad(p0, p1, q1, q0, outward, colour);
      } else {
        if (p.u == 0)
          mesh.AddTriangle(p0, q0, q1, outward, colour, n0, n0, n1);
        else if (q.u == 0)
          mesh.AddTriangle(p0, p1, q0, outward, colour, n0, n1, n0);
        else
          mesh.AddQuad(p0, p1, q1, q0, outward, colour, n0, n1, n1, n0);
      }
    }
  }
}

std::vector<std::array<int, 3>> Triangulate(const std::vector<Point2>& polygon) {
  if (polygon.size() < 3) throw std::invalid_argument("an outline needs three points");
  if (!IsSimple(polygon)) throw std::invalid_argument("outline crosses itself");
  std::vector<int> left;
  for (int i = 0; i < static_cast<int>(polygon.size()); ++i) left.push_back(i);
  // Work counter-clockwise so that convex corners have a positive cross.
  if (SignedArea(polygon) < 0) std::reverse(left.begin(), left.end());
  std::vector<std::array<int, 3>> out;
  while (left.size() > 3) {
    bool cut = false;
    const int n = static_cast<int>(left.size());
    for (int i = 0; i < n && !cut; ++i) {
      const int ia = left[(i + n - 1) % n], ib = left[i], ic = left[(i + 1) % n];
      const Point2 a = polygon[ia], b = polygon[ib], c = polygon[ic];
      if (Cross2(a, b, c) <= 0) continue;  // reflex or flat corner
      bool empty = true;
      for (int j : left) {
        if (j == ia || j == ib || j == ic) continue;
        if (InTriangle(polygon[j], a, b, c)) {
          empty = false;
          break;
        }
      }
      if (!empty) continue;
      out.push_back({ia, ib, ic});
      left.erase(left.begin() + i);
      cut = true;
    }
    if (!cut) throw std::invalid_argument("outline crosses itself");
  }
  out.push_back({left[0], left[1], left[2]});
  return out;
}

void AddExtrusion(Mesh& mesh, const Rgba& colour, Axis axis, float w0, float w1, const std::vector<Point2>& outline) {
  if (w1 < w0) std::swap(w0, w1);
  const Vec3 a = AxisVector(axis);
  for (const auto& t : Triangulate(outline)) {
    const Point2 p = outline[t[0]], q = outline[t[1]], r = outline[t[2]];
    mesh.AddTriangle(FromPlane(axis, p.u, p.v, w0), FromPlane(axis, q.u, q.v, w0), FromPlane(axis, r.u, r.v, w0), -a,
                     colour);
    mesh.AddTriangle(FromPlane(axis, p.u, p.v, w1), FromPlane(axis, q.u, q.v, w1), FromPlane(axis, r.u, r.v, w1), a,
                     colour);
  }
  const float sign = SignedArea(outline) > 0 ? 1.0f : -1.0f;
  for (std::size_t i = 0, n = outline.size(); i < n; ++i) {
    const Point2 p = outline[i], q = outline[(i + 1) % n];
    // For a counter-clockwise outline the outside lies to the right.
    const Point2 side{(q.v - p.v) * sign, -(q.u - p.u) * sign};
    const Vec3 outward = FromPlane(axis, side.u, side.v, 0) - FromPlane(axis, 0, 0, 0);
    mesh.AddQuad(FromPlane(axis, p.u, p.v, w0), FromPlane(axis, q.u, q.v, w0), FromPlane(axis, q.u, q.v, w1),
                 FromPlane(axis, p.u, p.v, w1), outward, colour);
  }
}

}  // namespace models

namespace models {

void AddStroke(Mesh& mesh, const Rgba& colour, Axis axis, float w0, float w1, float width,
               const std::vector<Point2>& path) {
  if (path.size() < 2) throw std::invalid_argument("a stroke needs two points");
  const float half = width / 2;
  auto leftNormal = [&](std::size_t i) {  // of segment i -> i+1
    const float du = path[i + 1].u - path[i].u, dv = path[i + 1].v - path[i].v;
    const float len = std::hypot(du, dv);
    if (len == 0) throw std::invalid_argument("a stroke repeats a point");
    return Point2{-dv / len, du / len};
  };
  std::vector<Point2> left, right;
  for (std::size_t i = 0; i < path.size(); ++i) {
    Point2 n;
    float scale = half;
    if (i == 0) {
      n = leftNormal(0);
    } else if (i + 1 == path.size()) {
      n = leftNormal(i - 1);
    } else {
      const Point2 a = leftNormal(i - 1), b = leftNormal(i);
      const float mu = a.u + b.u, mv = a.v + b.v, len = std::hypot(mu, mv);
      if (len < 1e-3f) throw std::invalid_argument("a stroke turns back on itself");
      n = {mu / len, mv / len};
      scale = half / std::max(0.25f, n.u * a.u + n.v * a.v);
    }
    left.push_back({path[i].u + n.u * scale, path[i].v + n.v * scale});
    right.push_back({path[i].u - n.u * scale, path[i].v - n.v * scale});
  }
  std::vector<Point2> outline = left;
  outline.insert(outline.end(), right.rbegin(), right.rend());
  AddExtrusion(mesh, colour, axis, w0, w1, outline);
}

}  // namespace models
