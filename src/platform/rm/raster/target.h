#pragma once
// Where the rasterizer draws: colour rows of 8, 16 or 24 bits per pixel, a
// float depth row per colour row (larger = nearer: the depth kept is 1/z),
// and the scissor rectangle (the viewport) that nothing is drawn outside.
#include <cmath>
#include <cstdint>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/rm/raster/palette_lut.h"

namespace platform::rm::raster {

// The rows of a buffer that may hold anything but what its last clear of
// whole rows wrote there: the farthest depth (0), or one colour. A clear to
// the same need not write the others, and most pictures have rows of
// background above and below their faces. `dirty` holds what was there
// before the render under way; `drawn` what it will write (faces queued
// before a banded clear runs, and lines), until Settle takes it into
// `dirty` when the render is done.
struct ClearedRows {
  struct Range {
    int y0 = 0, y1 = 0;  // half-open; empty when y0 >= y1
    bool Empty() const { return y0 >= y1; }
    [[gnu::always_inline]] void Add(int from, int to) {
      if (from >= to) return;
      if (Empty()) {
        y0 = from, y1 = to;
      } else {
        y0 = from < y0 ? from : y0;
        y1 = to > y1 ? to : y1;
      }
    }
  };
  Range dirty, drawn;
  int width = 0, height = 0;  // of the buffer: only a clear of whole rows makes them clean
  std::uint32_t value = 0;    // what the clean rows hold, as the buffer holds it

  // Nothing known: every row may hold anything.
  void Forget() { dirty = {0, height}; }
  // A clear of rows [y0, y1) from x = x0 to x1 to `to`: the rows of them it
  // must write. Cleared whole, they leave the dirty ones (a cut through the
  // middle leaves them as they were: they are only ever too many).
  Range Clearing(int x0, int x1, int y0, int y1, std::uint32_t to) {
    if (to != value) {  // the clean rows hold something else now
      Forget();
      value = to;
    }
    Range write = dirty;
    write.Add(drawn.y0, drawn.y1);
    Range& d = dirty;
    if (x0 == 0 && x1 >= width && !d.Empty()) {
      if (y0 <= d.y0 && y1 >= d.y1)
        d = {};
      else if (y0 <= d.y0 && y1 > d.y0)
        d.y0 = y1;
      else if (y0 < d.y1 && y1 >= d.y1)
        d.y1 = y0;
    }
    return write;
  }
  void Settle() {
    dirty.Add(drawn.y0, drawn.y1);
    drawn = {};
  }
};

struct Target {
  std::uint8_t* color = nullptr;
  int colorPitch = 0;  // bytes
  int bitsPerPixel = 16;
  float* depth = nullptr;
  int depthPitch = 0;  // floats
  // Scissor, half-open: [x0, x1) x [y0, y1).
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  const PaletteLut* lut = nullptr;  // 8-bit targets only
  // Per-pixel marks that keep one shadow from darkening a pixel twice.
  std::uint16_t* shadowMarks = nullptr;
  int shadowPitch = 0;  // entries
  std::uint16_t shadowMark = 0;
  // Null: not tracked, and a clear writes every row.
  ClearedRows* depthRows = nullptr;
  ClearedRows* colorRows = nullptr;

  bool Valid() const { return color && ReadyButColor(); }
  // Rows [y0, y1) may take colours, and depth too, from the render under
  // way (see ClearedRows). Every triangle asks: always inlined, as GCC
  // otherwise calls it from the walks compiled for AVX2 and AVX-512.
  [[gnu::always_inline]] void WillWrite(int rowsFrom, int rowsTo, bool depth) const {
    if (colorRows) colorRows->drawn.Add(rowsFrom, rowsTo);
    if (depth && depthRows) depthRows->drawn.Add(rowsFrom, rowsTo);
  }
  // Everything but the colour pointer is in place.
  bool ReadyButColor() const {
    return depth && x1 > x0 && y1 > y0 &&
           (bitsPerPixel == 8 ? lut != nullptr : bitsPerPixel == 16 || bitsPerPixel == 24);
  }
};

// Values at the first pixel centre of a span and their steps per pixel.
// Colours are 16.16 fixed point in 0..255.
struct SpanValues {
  float z, dz;
  std::int32_t r, g, b, dr, dg, db;
};

// A vertex ready to rasterize: pixel position, 1/z, colour in 0..255.
struct ScreenVertex {
  float x = 0, y = 0, invZ = 0;
  float r = 0, g = 0, b = 0;
};

// Beyond this, float steps along an edge lose sub-pixel precision.
inline constexpr float kMaxCoord = 1.0e7f;

// A vertex the rasterizer can take: x and y within kMaxCoord, the rest
// finite (NaN fails every compare). Checked for every triangle, so four
// values at a time. The loads are the pieces a mesh stores a corner in
// (x to r, then g and b): a load across the two would wait for both stores
// to reach the cache instead of taking the values from them.
inline bool Finite(const ScreenVertex& v) {
#if defined(__SSE2__)
  static_assert(sizeof(ScreenVertex) == 6 * sizeof(float));
  const __m128 magnitude = _mm_castsi128_ps(_mm_set1_epi32(0x7FFFFFFF));
  constexpr float kInf = std::numeric_limits<float>::infinity();
  const __m128 xyzr = _mm_and_ps(_mm_loadu_ps(&v.x), magnitude);
  // (a 64-bit integer load: the two floats need not be aligned as a double)
  const __m128 gb = _mm_and_ps(_mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(&v.g))), magnitude);
  const __m128 inside = _mm_and_ps(_mm_cmplt_ps(xyzr, _mm_setr_ps(kMaxCoord, kMaxCoord, kInf, kInf)),
                                   _mm_cmplt_ps(gb, _mm_set1_ps(kInf)));
  return _mm_movemask_ps(inside) == 0xF;
#else
  return std::abs(v.x) < kMaxCoord && std::abs(v.y) < kMaxCoord && std::isfinite(v.invZ) && std::isfinite(v.r) &&
         std::isfinite(v.g) && std::isfinite(v.b);
#endif
}

enum class SpanKind : std::uint8_t {
  kOpaque,  // depth-tested, writes depth
  kBlend,   // depth-tested, blended by alpha, leaves depth
  kShadow,  // darkens once per shadow, depth-tested with a bias, leaves depth
};

struct TriangleStyle {
  bool gouraud = false;  // else the colour of vertex 0 fills the triangle
  SpanKind kind = SpanKind::kOpaque;
  std::uint8_t alpha = 255;  // kBlend and kShadow: weight of the drawn colour
};

// Fills with the top-left rule at pixel centres; degenerate or non-finite
// triangles draw nothing. One triangle, walked from its first row to its
// last (RowWalk); a mesh draws its opaque ones through OpaqueTriangles.
void DrawTriangle(const Target& target, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                  const TriangleStyle& style);

// Opaque triangles drawn on one target, each as DrawTriangle draws it, with
// the target's checks and the choice of walk made once for all of them (a
// mesh draws thousands, most of them a few pixels).
class OpaqueTriangles {
 public:
  explicit OpaqueTriangles(const Target& target);
  void Draw(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, bool gouraud) const {
    if (fill_[0] && Finite(a) && Finite(b) && Finite(c)) fill_[gouraud](target_, a, b, c);
  }

  // The fill of one opaque triangle.
  using FillStep = void(const Target&, const ScreenVertex&, const ScreenVertex&, const ScreenVertex&);

 private:
  const Target& target_;
  FillStep* fill_[2] = {};  // flat and Gouraud; none where the target draws nothing
};

// A triangle drawn a band of rows at a time: Start sets it up, and each
// Draw continues down its rows to a stop. The
// rows walk their edges and values down exactly as when drawn whole, so the
// pixels are the same however the rows are split.
class RowWalk {
 public:
  // False when the triangle draws nothing.
  bool Start(const Target& target, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
             const TriangleStyle& style);
  // Rows up to `yStop` (exclusive) of a target like Start's (only the
  // colour, depth and shadow mark may differ).
  void Draw(const Target& target, int yStop) {
    if (y < yStop && y < yEnd) step_(target, *this, yStop);
  }
  bool Done() const { return y >= yEnd; }
  // The rows [y0, y1) a walk of the triangle would start on and stop
  // before, without setting it up (Start may still find it has no area);
  // false when it would draw nothing.
  static bool Rows(const Target& target, const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c,
                   const TriangleStyle& style, int& y0, int& y1);

  // The walk's state, for the rasterizer.
  struct Plane {
    float at0, dx, dy;  // value at vertex 0, steps
  };
  using Step = void(const Target&, RowWalk&, int);
  int y = 0, yEnd = 0, yMid = 0;
  Plane pz{}, pr{}, pg{}, pb{};
  float xLong = 0, xShort = 0, slopeLong = 0, slopeShort = 0, slopeBot = 0;
  float zRow = 0, rRow = 0, gRow = 0, bRow = 0;
  float x0 = 0, x1 = 0, y1 = 0;  // vertex 0's x, vertex 1's x and y
  bool longLeft = false;
  unsigned alpha = 255;
  SpanValues sv{};

 private:
  Step* step_ = nullptr;
};

// A depth-tested line in the colour of `a` (wireframe), ends included.
void DrawLine(const Target& target, const ScreenVertex& a, const ScreenVertex& b);
void DrawPoint(const Target& target, const ScreenVertex& p);

// Fills the scissor rectangle with one colour and the farthest depth.
void Clear(const Target& target, unsigned r, unsigned g, unsigned b, bool color, bool depth);

// The same clear in two steps, for a clear split into bands of rows that
// may be drawn on several threads: the rows to write are taken from the
// target's ClearedRows once, which counts them as clean, and each band
// writes its share of them, touching nothing shared.
struct ClearPlan {
  unsigned r = 0, g = 0, b = 0;
  bool color = false, depth = false;
  ClearedRows::Range colorRows, depthRows;
};
ClearPlan PlanClear(const Target& target, unsigned r, unsigned g, unsigned b, bool color, bool depth);
// Rows [y0, y1) of the planned clear of `target`.
void ClearBand(const Target& target, const ClearPlan& plan, int y0, int y1);

}  // namespace platform::rm::raster
