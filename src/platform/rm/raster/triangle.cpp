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

using Plane = RowWalk::Plane;

Plane MakePlane(float a0, float a1, float a2, float ex1, float ey1, float ex2, float ey2, float invArea) {
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
  return std::abs(v.x) < kMaxCoord && std::abs(v.y) < kMaxCoord && std::isfinite(v.invZ) && std::isfinite(v.r) &&
         std::isfinite(v.g) && std::isfinite(v.b);
}

// Sets up the walk of a triangle's rows; false when it covers no row.
// Inlined, with the walk below, into the fill of a triangle drawn whole:
// the walk's state then stays in registers instead of going through memory.
template <bool Gouraud>
[[gnu::always_inline]] inline bool SetUp(const Target& t, const ScreenVertex& a, const ScreenVertex& b,
                                         const ScreenVertex& c, RowWalk& w) {
  // Sort by y: v0 top, v2 bottom. A flat triangle keeps the colour of `a`.
  const ScreenVertex* p[3] = {&a, &b, &c};
  if (p[1]->y < p[0]->y) std::swap(p[0], p[1]);
  if (p[2]->y < p[1]->y) std::swap(p[1], p[2]);
  if (p[1]->y < p[0]->y) std::swap(p[0], p[1]);
  const ScreenVertex &v0 = *p[0], &v1 = *p[1], &v2 = *p[2];

  float ex1 = v1.x - v0.x, ey1 = v1.y - v0.y, ex2 = v2.x - v0.x, ey2 = v2.y - v0.y;
  float area = ex1 * ey2 - ex2 * ey1;
  if (!(std::abs(area) > 1e-6f)) return false;
  float invArea = 1.0f / area;

  const int yStart = std::max(t.y0, FirstCentre(v0.y));
  w.yEnd = std::min(t.y1, FirstCentre(v2.y));
  if (yStart >= w.yEnd) return false;
  w.y = yStart;

  w.pz = MakePlane(v0.invZ, v1.invZ, v2.invZ, ex1, ey1, ex2, ey2, invArea);
  w.sv = {};
  w.sv.dz = w.pz.dx;
  if constexpr (Gouraud) {
    w.pr = MakePlane(v0.r, v1.r, v2.r, ex1, ey1, ex2, ey2, invArea);
    w.pg = MakePlane(v0.g, v1.g, v2.g, ex1, ey1, ex2, ey2, invArea);
    w.pb = MakePlane(v0.b, v1.b, v2.b, ex1, ey1, ex2, ey2, invArea);
  } else {
    w.pr = w.pg = w.pb = {};
    w.sv.r = ToFixed(a.r);
    w.sv.g = ToFixed(a.g);
    w.sv.b = ToFixed(a.b);
  }

  // With y growing downward, area > 0 puts v1 right of the long edge v0->v2.
  w.longLeft = area > 0;
  w.slopeLong = ex2 / ey2;  // ey2 > 0: a zero height has zero area
  const float topH = v1.y - v0.y, botH = v2.y - v1.y;
  const float slopeTop = topH > 0 ? (v1.x - v0.x) / topH : 0.0f;
  w.slopeBot = botH > 0 ? (v2.x - v1.x) / botH : 0.0f;

  // Row values walk down incrementally; only the span start needs a product.
  const float fy0 = static_cast<float>(yStart) + 0.5f - v0.y;
  w.zRow = w.pz.at0 + w.pz.dy * fy0;
  w.rRow = w.pr.at0 + w.pr.dy * fy0;
  w.gRow = w.pg.at0 + w.pg.dy * fy0;
  w.bRow = w.pb.at0 + w.pb.dy * fy0;
  w.xLong = v0.x + fy0 * w.slopeLong;
  w.yMid = std::clamp(FirstCentre(v1.y), yStart, w.yEnd);
  w.xShort = v0.x + fy0 * slopeTop;
  w.slopeShort = slopeTop;
  w.x0 = v0.x;
  w.x1 = v1.x;
  w.y1 = v1.y;
  return true;
}

// Draws the walk's rows up to `yStop` (exclusive) and leaves it at the next.
// The walk's values live in locals meanwhile, where they stay in registers.
template <int Bpp, bool Gouraud, SpanKind Kind>
[[gnu::always_inline]] inline void WalkRowsInline(const Target& t, RowWalk& w, int yStop) {
  const int yEnd = std::min(w.yEnd, yStop), yMid = w.yMid;
  const Plane pz = w.pz, pr = w.pr, pg = w.pg, pb = w.pb;
  const bool longLeft = w.longLeft;
  const float slopeLong = w.slopeLong, slopeBot = w.slopeBot, x0 = w.x0;
  float xLong = w.xLong, xShort = w.xShort, slopeShort = w.slopeShort;
  float zRow = w.zRow, rRow = w.rRow, gRow = w.gRow, bRow = w.bRow;
  SpanValues sv = w.sv;
  int y = w.y;
  for (; y < yEnd; ++y) {
    if (y == yMid) {
      xShort = w.x1 + (static_cast<float>(y) + 0.5f - w.y1) * slopeBot;
      slopeShort = slopeBot;
    }
    const float xl = longLeft ? xLong : xShort, xr = longLeft ? xShort : xLong;
    const int xs = std::max(t.x0, FirstCentre(xl));
    const int xe = std::min(t.x1, FirstCentre(xr));
    if (xs < xe) {
      const float fx = static_cast<float>(xs) + 0.5f - x0;
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
      DrawSpan<Bpp, Gouraud, Kind>(t, y, xs, xe, sv, w.alpha);
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
  w.y = y;
  w.xLong = xLong;
  w.xShort = xShort;
  w.slopeShort = slopeShort;
  w.zRow = zRow;
  w.rRow = rRow;
  w.gRow = gRow;
  w.bRow = bRow;
}

template <int Bpp, bool Gouraud, SpanKind Kind>
void WalkRows(const Target& t, RowWalk& w, int yStop) {
  WalkRowsInline<Bpp, Gouraud, Kind>(t, w, yStop);
}

template <int Bpp, bool Gouraud, SpanKind Kind>
void Fill(const Target& t, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, unsigned alpha) {
  RowWalk w;
  if (!SetUp<Gouraud>(t, a, b, c, w)) return;
  w.alpha = alpha;
  WalkRowsInline<Bpp, Gouraud, Kind>(t, w, w.yEnd);
}

template <int Bpp>
void Dispatch(const Target& t, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
              const TriangleStyle& s) {
  switch (s.kind) {
    case SpanKind::kOpaque:
      return s.gouraud ? Fill<Bpp, true, SpanKind::kOpaque>(t, a, b, c, 255)
                       : Fill<Bpp, false, SpanKind::kOpaque>(t, a, b, c, 255);
    case SpanKind::kBlend:
      return s.gouraud ? Fill<Bpp, true, SpanKind::kBlend>(t, a, b, c, s.alpha)
                       : Fill<Bpp, false, SpanKind::kBlend>(t, a, b, c, s.alpha);
    case SpanKind::kShadow: return Fill<Bpp, false, SpanKind::kShadow>(t, a, b, c, s.alpha);
  }
}

template <int Bpp>
RowWalk::Step* WalkerOf(const TriangleStyle& s) {
  switch (s.kind) {
    case SpanKind::kOpaque:
      return s.gouraud ? &WalkRows<Bpp, true, SpanKind::kOpaque> : &WalkRows<Bpp, false, SpanKind::kOpaque>;
    case SpanKind::kBlend:
      return s.gouraud ? &WalkRows<Bpp, true, SpanKind::kBlend> : &WalkRows<Bpp, false, SpanKind::kBlend>;
    case SpanKind::kShadow: return &WalkRows<Bpp, false, SpanKind::kShadow>;
  }
  return nullptr;
}

bool Drawable(const Target& t, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
              const TriangleStyle& style) {
  if (!t.Valid() || !Finite(a) || !Finite(b) || !Finite(c)) return false;
  if (style.kind == SpanKind::kShadow && !t.shadowMarks) return false;
  return t.bitsPerPixel == 8 || t.bitsPerPixel == 16 || t.bitsPerPixel == 24;
}

}  // namespace

void DrawTriangle(const Target& t, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                  const TriangleStyle& style) {
  if (!Drawable(t, a, b, c, style)) return;
  switch (t.bitsPerPixel) {
    case 8: return Dispatch<8>(t, a, b, c, style);
    case 16: return Dispatch<16>(t, a, b, c, style);
    case 24: return Dispatch<24>(t, a, b, c, style);
    default: return;
  }
}

bool RowWalk::Start(const Target& t, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                    const TriangleStyle& style) {
  y = yEnd = 0;  // a walk that draws nothing has no rows left
  if (!Drawable(t, a, b, c, style)) return false;
  if (!(style.gouraud && style.kind != SpanKind::kShadow ? SetUp<true>(t, a, b, c, *this)
                                                         : SetUp<false>(t, a, b, c, *this))) {
    y = yEnd = 0;
    return false;
  }
  alpha = style.kind == SpanKind::kOpaque ? 255 : style.alpha;
  step_ = t.bitsPerPixel == 8 ? WalkerOf<8>(style) : t.bitsPerPixel == 16 ? WalkerOf<16>(style) : WalkerOf<24>(style);
  return true;
}

}  // namespace platform::rm::raster
