#pragma once
// The translucent span: the drawn colour mixed over what lies behind, where
// it passes the depth test; depth is left as it is. Translucent table tops
// cover most of the screen, so in 16 and 24 bits the span goes several
// pixels at a time through SSE2 (in every x86-64), or AVX2 or AVX-512 where
// the processor has it. The scalar loop finishes what SSE2 and AVX2 leave
// of a span and stands in elsewhere; every path gives the same pixels bit
// for bit.
#include <cstdint>

#include "platform/rm/raster/span_pixels.h"
#include "platform/rm/raster/target.h"

#include "platform/rm/raster/blend_span_avx2.h"
#include "platform/rm/raster/blend_span_avx512.h"
#include "platform/rm/raster/blend_span_sse2.h"
#include "platform/rm/raster/palette_flat_blend.h"
#include "platform/rm/raster/palette_span_avx2.h"

namespace platform::rm::raster {

// Pixels k = first..n-1 of the span starting at xs. Colours step as exact
// integers, so v.r + k·v.dr is the running sum.
template <int Bpp, bool Gouraud>
inline void BlendSpanScalar(const Target& t, std::uint8_t* row, const float* zrow, int xs, int n, const SpanValues& v,
                            unsigned alpha, int first = 0) {
  for (int k = first; k < n; ++k) {
    const int x = xs + k;
    if (!(SpanDepth(v, k) > zrow[x])) continue;
    std::int32_t r = v.r, g = v.g, b = v.b;
    if constexpr (Gouraud) {
      r += k * v.dr;
      g += k * v.dg;
      b += k * v.db;
    }
    unsigned dr, dg, db;
    ReadPixel<Bpp>(t, row, x, dr, dg, db);
    WritePixel<Bpp>(t, row, x, Mix(unsigned(r >> 16), dr, alpha), Mix(unsigned(g >> 16), dg, alpha),
                    Mix(unsigned(b >> 16), db, alpha));
  }
}

enum class BlendPath { kScalar, kSse2, kAvx2, kAvx512 };

// The widest path this processor runs.
inline BlendPath BestBlendPath() {
#if defined(ZARN_HAVE_AVX2_SPANS)
  if (avx512::Available()) return BlendPath::kAvx512;
  if (avx2::Available()) return BlendPath::kAvx2;
#endif
#if defined(__SSE2__)
  return BlendPath::kSse2;
#else
  return BlendPath::kScalar;
#endif
}

// Any path gives the same pixels. AVX-512 takes every 16- and 24-bit span
// whole, 32 pixels at a time. Without it, AVX2 takes sixteen pixels at a
// time, SSE2 eight of the rest and, where the row has room past the span's
// end inside the scissor, the last few masked: small translucent faces'
// spans are mostly shorter than eight, and a pixel-by-pixel depth test
// costs a mispredicted branch on every other pixel. The scalar loop
// finishes what is left. 8-bit spans test their depths eight at a time
// with AVX2 (palette_span_avx2.h), and a flat one's pixels take what its
// colour makes of each palette index (FlatBlend8) on every path.
template <int Bpp, bool Gouraud>
inline void BlendSpanWith(BlendPath path, const Target& t, std::uint8_t* row, const float* zrow, int xs, int xe,
                          const SpanValues& v, unsigned alpha) {
  const int n = xe - xs;
  int done = 0;
  if constexpr (Bpp == 8 && !Gouraud) {
    FlatBlend8& blend = FlatBlend8::For(*t.lut, unsigned(v.r >> 16), unsigned(v.g >> 16), unsigned(v.b >> 16), alpha);
#if defined(ZARN_HAVE_AVX2_SPANS)
    if (path >= BlendPath::kAvx2) done = avx2::BlendFlat8(row + xs, zrow + xs, n, v, blend);
#endif
    for (int k = done; k < n; ++k)
      if (SpanDepth(v, k) > zrow[xs + k]) row[xs + k] = blend.Over(row[xs + k]);
    return;
  }
#if defined(ZARN_HAVE_AVX2_SPANS)
  if (path == BlendPath::kAvx512) {
    if constexpr (Bpp == 16) return avx512::Blend16<Gouraud>(row + 2 * xs, zrow + xs, n, v, alpha);
    if constexpr (Bpp == 24) return avx512::Blend24<Gouraud>(row + 3 * xs, zrow + xs, n, v, alpha);
  }
  if constexpr (Bpp == 8 && Gouraud)
    if (path >= BlendPath::kAvx2) done = avx2::BlendGouraud8(row + xs, zrow + xs, n, v, alpha, *t.lut);
  if (path == BlendPath::kAvx2) {
    if constexpr (Bpp == 16) done = avx2::Blend16<Gouraud>(row + 2 * xs, zrow + xs, n, v, alpha);
    if constexpr (Bpp == 24) done = avx2::Blend24<Gouraud>(row + 3 * xs, zrow + xs, n, v, alpha);
  }
#endif
#if defined(__SSE2__)
  if (path != BlendPath::kScalar) {
    const int room = t.x1 - xs;
    if constexpr (Bpp == 16) done = sse2::Blend16<Gouraud>(row + 2 * xs, zrow + xs, n, v, alpha, done, room);
    if constexpr (Bpp == 24) done = sse2::Blend24<Gouraud>(row + 3 * xs, zrow + xs, n, v, alpha, done, room);
  }
#endif
  BlendSpanScalar<Bpp, Gouraud>(t, row, zrow, xs, n, v, alpha, done);
}

template <int Bpp, bool Gouraud>
inline void BlendSpan(const Target& t, std::uint8_t* row, const float* zrow, int xs, int xe, const SpanValues& v,
                      unsigned alpha) {
  BlendSpanWith<Bpp, Gouraud>(BestBlendPath(), t, row, zrow, xs, xe, v, alpha);
}

}  // namespace platform::rm::raster
