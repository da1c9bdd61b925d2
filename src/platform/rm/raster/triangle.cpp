// Scanline triangle fill. Attributes are planes over the screen (value and
// steps along x and y), evaluated at each span's first pixel centre; edges are
// walked incrementally per row. The top-left rule falls out of sampling pixel
// centres with ceil(x - 0.5): shared edges are filled exactly once.
#include <algorithm>
#include <cmath>

#include "platform/rm/raster/spans.h"
#include "platform/rm/raster/target.h"

namespace platform::rm::raster {
namespace {

constexpr float kMaxCoord = 1.0e7f;  // beyond this float steps lose sub-pixel precision

struct Plane {
  float at0, dx, dy;  // value at vertex 0, steps
};

Plane MakePlane(float a0, float a1, float a2, float ex1, float ey1, float ex2, float ey2,
                float invArea) {
  float d1 = a1 - a0, d2 = a2 - a0;
  return {a0, (d1 * ey2 - d2 * ey1) * invArea, (d2 * ex1 - d1 * ex2) * invArea};
}

// ceil(x - 0.5): the first pixel whose centre is at or right of x. For the
// bounded coordinates here; avoids a library call where ceil is not an
// instruction.
inline int FirstCentre(float x) {
  float s = x - 0.5f;
  int i = static_cast<int>(s);
  return i + (static_cast<float>(i) < s);
}

inline std::int32_t ToFixed(float c) {
  c = std::clamp(c, 0.0f, 255.0f);
  return static_cast<std::int32_t>(c * 65536.0f);
}

bool Finite(const ScreenVertex& v) {
  return std::abs(v.x) < kMaxCoord && std::abs(v.y) < kMaxCoord && std::isfinite(v.invZ) &&
         std::isfinite(v.r) && std::isfinite(v.g) && std::isfinite(v.b);
}

template <int Bpp, bool Gouraud, SpanKind Kind>
void Fill(const Target& t, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
          unsigned alpha) {
  // Sort by y: v0 top, v2 bottom. A flat triangle keeps the colour of `a`.
  const ScreenVertex* p[3] = {&a, &b, &c};
  if (p[1]->y < p[0]->y) std::swap(p[0], p[1]);
  if (p[2]->y < p[1]->y) std::swap(p[1], p[2]);
  if (p[1]->y < p[0]->y) std::swap(p[0], p[1]);
  const ScreenVertex &v0 = *p[0], &v1 = *p[1], &v2 = *p[2];

  float ex1 = v1.x - v0.x, ey1 = v1.y - v0.y, ex2 = v2.x - v0.x, ey2 = v2.y - v0.y;
  float area = ex1 * ey2 - ex2 * ey1;
  if (!(std::abs(area) > 1e-6f)) return;
  float invArea = 1.0f / area;

  int yStart = std::max(t.y0, FirstCentre(v0.y));
  int yEnd = std::min(t.y1, FirstCentre(v2.y));
  if (yStart >= yEnd) return;

  Plane pz = MakePlane(v0.invZ, v1.invZ, v2.invZ, ex1, ey1, ex2, ey2, invArea);
  Plane pr{}, pg{}, pb{};
  SpanValues sv{};
  sv.dz = pz.dx;
  if constexpr (Gouraud) {
    pr = MakePlane(v0.r, v1.r, v2.r, ex1, ey1, ex2, ey2, invArea);
    pg = MakePlane(v0.g, v1.g, v2.g, ex1, ey1, ex2, ey2, invArea);
    pb = MakePlane(v0.b, v1.b, v2.b, ex1, ey1, ex2, ey2, invArea);
  } else {
    sv.r = ToFixed(a.r);
    sv.g = ToFixed(a.g);
    sv.b = ToFixed(a.b);
  }

  // With y growing downward, area > 0 puts v1 right of the long edge v0->v2.
  const bool longLeft = area > 0;
  const float slopeLong = ex2 / ey2;  // ey2 > 0: a zero height has zero area
  const float topH = v1.y - v0.y, botH = v2.y - v1.y;
  const float slopeTop = topH > 0 ? (v1.x - v0.x) / topH : 0.0f;
  const float slopeBot = botH > 0 ? (v2.x - v1.x) / botH : 0.0f;

  // Row values walk down incrementally; only the span start needs a product.
  const float fy0 = static_cast<float>(yStart) + 0.5f - v0.y;
  float zRow = pz.at0 + pz.dy * fy0;
  float rRow = pr.at0 + pr.dy * fy0, gRow = pg.at0 + pg.dy * fy0, bRow = pb.at0 + pb.dy * fy0;
  float xLong = v0.x + fy0 * slopeLong;
  const int yMid = std::clamp(FirstCentre(v1.y), yStart, yEnd);
  float xShort = v0.x + fy0 * slopeTop;
  float slopeShort = slopeTop;

  for (int y = yStart; y < yEnd; ++y) {
    if (y == yMid) {
      xShort = v1.x + (static_cast<float>(y) + 0.5f - v1.y) * slopeBot;
      slopeShort = slopeBot;
    }
    const float xl = longLeft ? xLong : xShort, xr = longLeft ? xShort : xLong;
    const int xs = std::max(t.x0, FirstCentre(xl));
    const int xe = std::min(t.x1, FirstCentre(xr));
    if (xs < xe) {
      const float fx = static_cast<float>(xs) + 0.5f - v0.x;
      sv.z = zRow + pz.dx * fx;
      if constexpr (Gouraud) {
        // The span's last value is kept in 0..255 too, so rounding at the
        // edges never wraps a channel; that rarely needs a division.
        const int n = xe - xs;
        auto channel = [&](const Plane& pl, float row, std::int32_t& start, std::int32_t& step) {
          start = ToFixed(row + pl.dx * fx);
          step = static_cast<std::int32_t>(pl.dx * 65536.0f);
          std::int64_t end = start + static_cast<std::int64_t>(step) * (n - 1);
          if (end < 0 || end > (255 << 16)) {
            std::int64_t clamped = end < 0 ? 0 : (255 << 16);
            step = static_cast<std::int32_t>((clamped - start) / (n - 1));
          }
        };
        channel(pr, rRow, sv.r, sv.dr);
        channel(pg, gRow, sv.g, sv.dg);
        channel(pb, bRow, sv.b, sv.db);
      }
      DrawSpan<Bpp, Gouraud, Kind>(t, y, xs, xe, sv, alpha);
    }
    xLong += slopeLong;
    xShort += slopeShort;
    zRow += pz.dy;
    if constexpr (Gouraud) {
      rRow += pr.dy;
      gRow += pg.dy;
      bRow += pb.dy;
    }
  }
}

template <int Bpp>
void Dispatch(const Target& t, const ScreenVertex& a, const ScreenVertex& b,
              const ScreenVertex& c, const TriangleStyle& s) {
  switch (s.kind) {
    case SpanKind::kOpaque:
      return s.gouraud ? Fill<Bpp, true, SpanKind::kOpaque>(t, a, b, c, 255)
                       : Fill<Bpp, false, SpanKind::kOpaque>(t, a, b, c, 255);
    case SpanKind::kBlend:
      return s.gouraud ? Fill<Bpp, true, SpanKind::kBlend>(t, a, b, c, s.alpha)
                       : Fill<Bpp, false, SpanKind::kBlend>(t, a, b, c, s.alpha);
    case SpanKind::kShadow:
      return Fill<Bpp, false, SpanKind::kShadow>(t, a, b, c, s.alpha);
  }
}

}  // namespace

void DrawTriangle(const Target& t, const ScreenVertex& a, const ScreenVertex& b,
                  const ScreenVertex& c, const TriangleStyle& style) {
  if (!t.Valid() || !Finite(a) || !Finite(b) || !Finite(c)) return;
  if (style.kind == SpanKind::kShadow && !t.shadowMarks) return;
  switch (t.bitsPerPixel) {
    case 8: return Dispatch<8>(t, a, b, c, style);
    case 16: return Dispatch<16>(t, a, b, c, style);
    case 24: return Dispatch<24>(t, a, b, c, style);
    default: return;
  }
}

}  // namespace platform::rm::raster
