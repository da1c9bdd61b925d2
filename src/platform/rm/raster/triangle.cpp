// Scanline triangle fill. Attributes are planes over the screen (value and
// steps along x and y), evaluated at each span's first pixel centre; edges are
// walked incrementally per row. The top-left rule falls out of sampling pixel
// centres with ceil(x - 0.5): shared edges are filled exactly once.
#include <algorithm>
#include <cmath>
#include <limits>
#include <type_traits>

#include "platform/rm/raster/opaque_span_avx512.h"
#include "platform/rm/raster/row_lanes.h"
#include "platform/rm/raster/spans.h"
#include "platform/rm/raster/target.h"

namespace platform::rm::raster {
namespace {

using Plane = RowWalk::Plane;

Plane MakePlane(float a0, float a1, float a2, float ex1, float ey1, float ex2, float ey2, float invArea) {
  float d1 = a1 - a0, d2 = a2 - a0;
  return {a0, (d1 * ey2 - d2 * ey1) * invArea, (d2 * ex1 - d1 * ex2) * invArea};
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

// A Gouraud span's colour step: the span's last value is kept in 0..255
// too, so rounding at the edges never wraps a channel; that rarely needs a
// division.
inline std::int32_t SpanStep(std::int32_t start, std::int32_t step, int n) {
  const std::int64_t end = start + static_cast<std::int64_t>(step) * (n - 1);
  if (end >= 0 && end <= (255 << 16)) return step;
  const std::int64_t clamped = end < 0 ? 0 : (255 << 16);
  return static_cast<std::int32_t>((clamped - start) / (n - 1));
}

// The instructions a row walk is compiled for.
enum class Level { kSse2, kAvx2, kAvx512 };

// What the row walk takes from the processor: the SSE2 pieces (plain
// floats without SSE2), or their twins in the walks compiled for AVX2 and
// AVX-512 (which differ only in how an opaque group is written).
template <Level>
struct Isa {
#if defined(__SSE2__)
  template <int Bpp, bool Gouraud>
  using OpaqueLanes = sse2::OpaqueLanes<Bpp, Gouraud>;
  using StepRange = raster::StepRange;
#endif
  using RowEnds = raster::RowEnds;
};
#if defined(ZARN_HAVE_AVX2_SPANS)
template <>
struct Isa<Level::kAvx2> {
  template <int Bpp, bool Gouraud>
  using OpaqueLanes = avx2::OpaqueLanes<Bpp, Gouraud>;
  using StepRange = avx2::StepRange;
  using RowEnds = avx2::RowEnds;
};
template <>
struct Isa<Level::kAvx512> : Isa<Level::kAvx2> {
  template <int Bpp, bool Gouraud>
  using OpaqueLanes = avx512::OpaqueLanes<Bpp, Gouraud>;
};
#endif

// Draws the walk's rows up to `yStop` (exclusive) and leaves it at the next.
// The walk's values live in registers meanwhile, four to a register (the
// edges' x, depth and colours, and their steps), so that the span's vector
// loop finds registers free; each lane does what the scalar sums did, in the
// same order. The rows go in runs above and below the middle vertex, each
// with its left and right edge fixed, so where the rows are split makes no
// difference to a pixel.
template <int Bpp, bool Gouraud, SpanKind Kind, Level L = Level::kSse2>
[[gnu::always_inline]] inline void WalkRowsInline(const Target& t, RowWalk& w, int yStop) {
  const int yEnd = std::min(w.yEnd, yStop), yMid = w.yMid;
  int y = w.y;
  if (y >= yEnd) return;
  const bool longLeft = w.longLeft;
  const int clipRight = t.x1;
  const typename Isa<L>::RowEnds rowEnds(t.x0, clipRight, w.x0);
  const Quad valueDx = QuadOf(w.pz.dx, w.pr.dx, w.pg.dx, w.pb.dx);
  const Quad valueDy = QuadOf(w.pz.dy, w.pr.dy, w.pg.dy, w.pb.dy);
  Quad values = QuadOf(w.zRow, w.rRow, w.gRow, w.bRow);
  float xLong = w.xLong, xShort = w.xShort, slopeShort = w.slopeShort;
  SpanValues sv = w.sv;
  sv.dz = w.pz.dx;
  if constexpr (Gouraud) {
    // Constant over the triangle; a span whose end leaves 0..255 gets its own.
    sv.dr = static_cast<std::int32_t>(w.pr.dx * 65536.0f);
    sv.dg = static_cast<std::int32_t>(w.pg.dx * 65536.0f);
    sv.db = static_cast<std::int32_t>(w.pb.dx * 65536.0f);
  }
  const std::int32_t stepR = sv.dr, stepG = sv.dg, stepB = sv.db;
#if defined(__SSE2__)
  // The opaque spans' lanes, set up once for the triangle's rows.
  constexpr bool kLanes = Kind == SpanKind::kOpaque && Bpp != 8;
  using Lanes = typename Isa<L>::template OpaqueLanes<Bpp == 8 ? 16 : Bpp, Gouraud>;
  // Made here rather than in a std::optional, whose constructor would not
  // inline the AVX2 one.
  struct NoLanes {
    explicit NoLanes(const SpanValues&) {}
  };
  const std::conditional_t<kLanes, Lanes, NoLanes> lanes(sv);
  const typename Isa<L>::StepRange range(stepR, stepG, stepB);
#endif
  std::uint8_t* row = t.color + static_cast<std::ptrdiff_t>(y) * t.colorPitch;
  float* zrow = t.depth + static_cast<std::ptrdiff_t>(y) * t.depthPitch;
  std::uint16_t* marks = nullptr;
  if constexpr (Kind == SpanKind::kShadow) marks = t.shadowMarks + static_cast<std::ptrdiff_t>(y) * t.shadowPitch;
  const std::ptrdiff_t colorPitch = t.colorPitch, depthPitch = t.depthPitch;
  while (y < yEnd) {
    if (y == yMid) {
      xShort = w.x1 + (static_cast<float>(y) + 0.5f - w.y1) * w.slopeBot;
      slopeShort = w.slopeBot;
    }
    const int runEnd = y < yMid ? std::min(yMid, yEnd) : yEnd;
    Quad edges = longLeft ? QuadOf(xLong, xShort, 0, 0) : QuadOf(xShort, xLong, 0, 0);
    const Quad slopes = longLeft ? QuadOf(w.slopeLong, slopeShort, 0, 0) : QuadOf(slopeShort, w.slopeLong, 0, 0);
    for (; y < runEnd; ++y, edges = Add(edges, slopes), values = Add(values, valueDy), row += colorPitch,
                            zrow += depthPitch, marks += Kind == SpanKind::kShadow ? t.shadowPitch : 0) {
      int xs, xe;
      const Quad fx = rowEnds(edges, xs, xe);
      if (xs >= xe) continue;
      const int n = xe - xs;
      const Quad at = Add(values, Mul(valueDx, fx));
      sv.z = Lane0(at);
#if defined(__SSE2__)
      if constexpr (kLanes) {
        // Most Gouraud spans of a scene drawn near to far lie behind what
        // is there (about two in three of the anchor scene's): their depths
        // are tested before their colours are made and checked.
        if (Gouraud && lanes.Hides(zrow + xs, n, sv.z, clipRight - xs)) continue;
        // The colours stay in their lanes unless a span takes steps of its
        // own or needs the scalar loop at the scissor's edge.
        const __m128i rgb = Gouraud ? FixedColours(at) : _mm_setzero_si128();
        if (!Gouraud || range.Keeps(rgb, n)) {
          if (n <= 8 && clipRight - xs >= 8) {
            lanes.DrawGroup(row + (Bpp / 8) * xs, zrow + xs, n, sv.z, rgb);
            continue;
          }
          const int done = lanes.Draw(row + (Bpp / 8) * xs, zrow + xs, n, sv.z, rgb, clipRight - xs);
          if (done < n) {
            if constexpr (Gouraud) ToFixedColours(at, sv.r, sv.g, sv.b);
            OpaqueSpanScalar<Bpp, Gouraud>(t, row, zrow, xs, n, sv, done);
          }
          continue;
        }
      }
#endif
      if constexpr (Gouraud) {
        ToFixedColours(at, sv.r, sv.g, sv.b);
        sv.dr = SpanStep(sv.r, stepR, n);
        sv.dg = SpanStep(sv.g, stepG, n);
        sv.db = SpanStep(sv.b, stepB, n);
      }
      DrawSpan<Bpp, Gouraud, Kind>(t, row, zrow, marks, xs, xe, sv, w.alpha);
    }
    xLong = longLeft ? Lane0(edges) : Lane1(edges);
    xShort = longLeft ? Lane1(edges) : Lane0(edges);
  }
  w.y = y;
  w.xLong = xLong;
  w.xShort = xShort;
  w.slopeShort = slopeShort;
  w.zRow = Lane0(values);
  w.rRow = Lane1(values);
  w.gRow = Lane2(values);
  w.bRow = Lane3(values);
}

// An opaque triangle drawn whole (what a mesh draws most), its set-up and
// walk in one function.
template <int Bpp, bool Gouraud, Level L>
[[gnu::always_inline]] inline void FillInline(const Target& t, const ScreenVertex& a, const ScreenVertex& b,
                                              const ScreenVertex& c) {
  RowWalk w;
  if (!SetUp<Gouraud>(t, a, b, c, w)) return;
  t.WillWrite(w.y, w.yEnd, true);
  WalkRowsInline<Bpp, Gouraud, SpanKind::kOpaque, L>(t, w, w.yEnd);
}

template <int Bpp, bool Gouraud, SpanKind Kind>
void WalkRows(const Target& t, RowWalk& w, int yStop) {
  WalkRowsInline<Bpp, Gouraud, Kind>(t, w, yStop);
}

template <int Bpp, bool Gouraud>
void Fill(const Target& t, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c) {
  FillInline<Bpp, Gouraud, Level::kSse2>(t, a, b, c);
}

// The same walks compiled for AVX2, chosen at run time: their opaque spans
// take avx2::OpaqueLanes, and all their vector code the three-operand
// encoding, which saves the register copies the two-operand one needs. No
// FMA: every product and sum rounds as in the plain build.
//
// And compiled for AVX-512, where the processor has it: the opaque spans
// write through masks (avx512::OpaqueLanes), and the walks have sixteen
// more vector registers, so their values spill less. The build keeps the
// compiler from fusing a multiply and an add, which AVX-512 would allow.
#if defined(ZARN_HAVE_AVX2_SPANS)
template <int Bpp, bool Gouraud, SpanKind Kind>
[[gnu::target("avx2")]] void WalkRowsAvx2(const Target& t, RowWalk& w, int yStop) {
  WalkRowsInline<Bpp, Gouraud, Kind, Level::kAvx2>(t, w, yStop);
}

template <int Bpp, bool Gouraud>
[[gnu::target("avx2")]] void FillAvx2(const Target& t, const ScreenVertex& a, const ScreenVertex& b,
                                      const ScreenVertex& c) {
  FillInline<Bpp, Gouraud, Level::kAvx2>(t, a, b, c);
}

template <int Bpp, bool Gouraud, SpanKind Kind>
[[gnu::target(ZARN_AVX512_TARGET)]] void WalkRowsAvx512(const Target& t, RowWalk& w, int yStop) {
  WalkRowsInline<Bpp, Gouraud, Kind, Level::kAvx512>(t, w, yStop);
}

template <int Bpp, bool Gouraud>
[[gnu::target(ZARN_AVX512_TARGET)]] void FillAvx512(const Target& t, const ScreenVertex& a, const ScreenVertex& b,
                                                    const ScreenVertex& c) {
  FillInline<Bpp, Gouraud, Level::kAvx512>(t, a, b, c);
}
#endif

template <int Bpp, bool Gouraud>
OpaqueTriangles::FillStep* BestFill() {
#if defined(ZARN_HAVE_AVX2_SPANS)
  if (avx512::Available()) return &FillAvx512<Bpp, Gouraud>;
  if (avx2::Available()) return &FillAvx2<Bpp, Gouraud>;
#endif
  return &Fill<Bpp, Gouraud>;
}

template <int Bpp, bool Gouraud, SpanKind Kind>
RowWalk::Step* BestWalker() {
#if defined(ZARN_HAVE_AVX2_SPANS)
  if (avx512::Available()) return &WalkRowsAvx512<Bpp, Gouraud, Kind>;
  if (avx2::Available()) return &WalkRowsAvx2<Bpp, Gouraud, Kind>;
#endif
  return &WalkRows<Bpp, Gouraud, Kind>;
}

template <int Bpp>
RowWalk::Step* WalkerOf(const TriangleStyle& s) {
  switch (s.kind) {
    case SpanKind::kOpaque:
      return s.gouraud ? BestWalker<Bpp, true, SpanKind::kOpaque>() : BestWalker<Bpp, false, SpanKind::kOpaque>();
    case SpanKind::kBlend:
      return s.gouraud ? BestWalker<Bpp, true, SpanKind::kBlend>() : BestWalker<Bpp, false, SpanKind::kBlend>();
    case SpanKind::kShadow: return BestWalker<Bpp, false, SpanKind::kShadow>();
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
  RowWalk w;
  if (w.Start(t, a, b, c, style)) w.Draw(t, t.y1);
}

OpaqueTriangles::OpaqueTriangles(const Target& t) : target_(t) {
  if (!t.Valid()) return;
  switch (t.bitsPerPixel) {
    case 8: fill_[0] = BestFill<8, false>(), fill_[1] = BestFill<8, true>(); return;
    case 16: fill_[0] = BestFill<16, false>(), fill_[1] = BestFill<16, true>(); return;
    case 24: fill_[0] = BestFill<24, false>(), fill_[1] = BestFill<24, true>(); return;
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
  t.WillWrite(y, yEnd, style.kind == SpanKind::kOpaque);
  alpha = style.kind == SpanKind::kOpaque ? 255 : style.alpha;
  step_ = t.bitsPerPixel == 8 ? WalkerOf<8>(style) : t.bitsPerPixel == 16 ? WalkerOf<16>(style) : WalkerOf<24>(style);
  return true;
}

bool RowWalk::Rows(const Target& t, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                   const TriangleStyle& style, int& y0, int& y1) {
  if (!Drawable(t, a, b, c, style)) return false;
  // As SetUp finds them from the corners sorted by y.
  y0 = std::max(t.y0, FirstCentre(std::min({a.y, b.y, c.y})));
  y1 = std::min(t.y1, FirstCentre(std::max({a.y, b.y, c.y})));
  return y0 < y1;
}

}  // namespace platform::rm::raster
