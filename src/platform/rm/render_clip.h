#pragma once
// Camera space to pixels: the perspective projection of a viewport, outcodes
// against the front and back planes and a guard band around the viewport,
// and polygon clipping against those planes before projection. Clipping only
// the triangles that leave the guard band keeps screen coordinates small
// enough for exact float edge walking, while most triangles skip it.
#include <cstdint>

#include "platform/rm/math.h"
#include "platform/rm/raster/target.h"

namespace platform::rm {

struct CameraVertex {
  Vec3 p;  // camera space: +z forward, +y up
  float r = 0, g = 0, b = 0;
};

// A position in front of the camera, projected: what its screen vertices
// share before each triangle gives them its colours.
struct ScreenPoint {
  float x = 0, y = 0, invZ = 0;
};

namespace clip {
constexpr std::uint8_t kFront = 1, kBack = 2, kLeft = 4, kRight = 8, kTop = 16, kBottom = 32;
constexpr int kMaxClipped = 3 + 6;  // a triangle gains at most one vertex per plane
}  // namespace clip

struct Projection {
  float cx = 0, cy = 0;  // pixel of the view axis
  float scale = 1;       // front / field * max(w, h) / 2
  float front = 1, back = 100;
  // Guard band in pixels, relative to (cx, cy).
  float guardLeft = -1, guardRight = 1, guardTop = -1, guardBottom = 1;
  float halfWidth = 1, halfHeight = 1;  // the viewport itself

  // Viewport at (x, y) of size w x h; a field or planes that would divide by
  // zero leave the projection unusable (Valid() false) rather than NaN.
  static Projection For(int x, int y, int w, int h, float field, float front, float back);
  bool Valid() const;

  std::uint8_t Outcode(Vec3 p) const {
    std::uint8_t c = 0;
    if (!(p.z >= front)) c |= clip::kFront;  // NaN counts as outside
    if (p.z > back) c |= clip::kBack;
    float sx = p.x * scale, sy = -p.y * scale;
    if (sx < guardLeft * p.z) c |= clip::kLeft;
    if (sx > guardRight * p.z) c |= clip::kRight;
    if (sy < guardTop * p.z) c |= clip::kTop;
    if (sy > guardBottom * p.z) c |= clip::kBottom;
    return c;
  }

  // Against the viewport's own edges: for culling whole objects.
  std::uint8_t ViewOutcode(Vec3 p) const {
    std::uint8_t c = 0;
    if (!(p.z >= front)) c |= clip::kFront;
    if (p.z > back) c |= clip::kBack;
    float sx = p.x * scale, sy = -p.y * scale;
    if (sx < -halfWidth * p.z) c |= clip::kLeft;
    if (sx > halfWidth * p.z) c |= clip::kRight;
    if (sy < -halfHeight * p.z) c |= clip::kTop;
    if (sy > halfHeight * p.z) c |= clip::kBottom;
    return c;
  }

  // Only for points with z >= front.
  ScreenPoint Project(Vec3 p) const {
    float iz = 1.0f / p.z;
    return {cx + p.x * iz * scale, cy - p.y * iz * scale, iz};
  }
  raster::ScreenVertex Project(const CameraVertex& v) const {
    const ScreenPoint s = Project(v.p);
    return {s.x, s.y, s.invZ, v.r, v.g, v.b};
  }
};

// Clips the convex polygon in[0..n) against the planes in `planes` (outcode
// bits); writes at most clip::kMaxClipped vertices to out and returns their
// count (0 when nothing is left). n must not exceed 3.
int ClipPolygon(const Projection& proj, const CameraVertex* in, int n, std::uint8_t planes, CameraVertex* out);

}  // namespace platform::rm
