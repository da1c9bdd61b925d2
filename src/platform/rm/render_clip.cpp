#include "platform/rm/render_clip.h"

#include <algorithm>
#include <cmath>

namespace platform::rm {
namespace {

constexpr float kGuardPixels = 4096.0f;

// Signed distance-like value, >= 0 inside.
float Inside(const Projection& pr, std::uint8_t plane, Vec3 p) {
  switch (plane) {
    case clip::kFront: return p.z - pr.front;
    case clip::kBack: return pr.back - p.z;
    case clip::kLeft: return p.x * pr.scale - pr.guardLeft * p.z;
    case clip::kRight: return pr.guardRight * p.z - p.x * pr.scale;
    case clip::kTop: return -p.y * pr.scale - pr.guardTop * p.z;
    default: return pr.guardBottom * p.z + p.y * pr.scale;
  }
}

CameraVertex Lerp(const CameraVertex& a, const CameraVertex& b, float t) {
  return {a.p + (b.p - a.p) * t, a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

}  // namespace

Projection Projection::For(int x, int y, int w, int h, float field, float front, float back) {
  Projection p;
  p.cx = static_cast<float>(x) + static_cast<float>(w) * 0.5f;
  p.cy = static_cast<float>(y) + static_cast<float>(h) * 0.5f;
  p.scale = front / field * static_cast<float>(std::max(w, h)) * 0.5f;
  p.front = front;
  p.back = back;
  p.halfWidth = static_cast<float>(w) * 0.5f;
  p.halfHeight = static_cast<float>(h) * 0.5f;
  p.guardLeft = -static_cast<float>(w) * 0.5f - kGuardPixels;
  p.guardRight = static_cast<float>(w) * 0.5f + kGuardPixels;
  p.guardTop = -static_cast<float>(h) * 0.5f - kGuardPixels;
  p.guardBottom = static_cast<float>(h) * 0.5f + kGuardPixels;
  return p;
}

bool Projection::Valid() const {
  return std::isfinite(scale) && scale > 0 && std::isfinite(front) && front > 0 && std::isfinite(back) && back > front;
}

int ClipPolygon(const Projection& proj, const CameraVertex* in, int n, std::uint8_t planes, CameraVertex* out) {
  CameraVertex bufA[clip::kMaxClipped], bufB[clip::kMaxClipped];
  n = std::min(n, 3);
  std::copy(in, in + n, bufA);
  CameraVertex* src = bufA;
  CameraVertex* dst = bufB;
  for (std::uint8_t plane = 1; plane <= clip::kBottom && n > 0; plane <<= 1) {
    if (!(planes & plane)) continue;
    int m = 0;
    for (int i = 0; i < n; ++i) {
      const CameraVertex& a = src[i];
      const CameraVertex& b = src[(i + 1) % n];
      float da = Inside(proj, plane, a.p), db = Inside(proj, plane, b.p);
      bool ina = da >= 0, inb = db >= 0;  // NaN is outside
      if (ina) dst[m++] = a;
      if (ina != inb && std::isfinite(da) && std::isfinite(db)) {
        CameraVertex v = Lerp(a, b, da / (da - db));
        // The front plane must hold exactly, so the projection never divides
        // by less than the front distance.
        if (plane == clip::kFront) v.p.z = std::max(v.p.z, proj.front);
        if (plane == clip::kBack) v.p.z = std::min(v.p.z, proj.back);
        dst[m++] = v;
      }
      if (m >= clip::kMaxClipped) break;
    }
    n = m;
    std::swap(src, dst);
  }
  std::copy(src, src + n, out);
  return n;
}

}  // namespace platform::rm
