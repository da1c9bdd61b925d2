#pragma once
// The opaque span: each pixel nearer than what is there takes the colour and
// the depth. In 16 and 24 bits eight pixels go at a time through SSE2, and a
// group wholly behind what is drawn costs one compare; the scalar loop
// finishes each span and draws 8-bit targets. The depth written is
// SpanDepth's z + k·dz on every path, so all of them give the same pixels
// and the same depth buffer, bit for bit.
#include <cstdint>
#include <cstring>

#include "platform/rm/raster/blend_span_sse2.h"
#include "platform/rm/raster/span_pixels.h"
#include "platform/rm/raster/target.h"

namespace platform::rm::raster {

// Pixels k = first..n-1 of the span starting at xs.
template <int Bpp, bool Gouraud>
inline void OpaqueSpanScalar(const Target& t, std::uint8_t* row, float* zrow, int xs, int n, const SpanValues& v,
                             int first = 0) {
  for (int k = first; k < n; ++k) {
    const int x = xs + k;
    const float z = SpanDepth(v, k);
    if (!(z > zrow[x])) continue;
    zrow[x] = z;
    std::int32_t r = v.r, g = v.g, b = v.b;
    if constexpr (Gouraud) {
      r += k * v.dr;
      g += k * v.dg;
      b += k * v.db;
    }
    WritePixel<Bpp>(t, row, x, unsigned(r >> 16), unsigned(g >> 16), unsigned(b >> 16));
  }
}

#if defined(__SSE2__)
namespace sse2 {

// Depths of pixels k..k+7 (as SpanDepth), written where they pass; the pass
// masks come back. Then on to the next eight.
struct DepthWrite {
  __m128 z, dz, k = _mm_setr_ps(0, 1, 2, 3);
  explicit DepthWrite(const SpanValues& v) : z(_mm_set1_ps(v.z)), dz(_mm_set1_ps(v.dz)) {}
  bool Next(float* zs, __m128i& lo, __m128i& hi) {
    const __m128 z0 = _mm_add_ps(z, _mm_mul_ps(k, dz));
    const __m128 z1 = _mm_add_ps(z, _mm_mul_ps(_mm_add_ps(k, _mm_set1_ps(4)), dz));
    k = _mm_add_ps(k, _mm_set1_ps(8));
    const __m128 old0 = _mm_loadu_ps(zs), old1 = _mm_loadu_ps(zs + 4);
    const __m128 pass0 = _mm_cmpgt_ps(z0, old0), pass1 = _mm_cmpgt_ps(z1, old1);
    if (_mm_movemask_ps(_mm_or_ps(pass0, pass1)) == 0) return false;
    _mm_storeu_ps(zs, _mm_or_ps(_mm_and_ps(pass0, z0), _mm_andnot_ps(pass0, old0)));
    _mm_storeu_ps(zs + 4, _mm_or_ps(_mm_and_ps(pass1, z1), _mm_andnot_ps(pass1, old1)));
    lo = _mm_castps_si128(pass0);
    hi = _mm_castps_si128(pass1);
    return true;
  }
};

// RGB565 of four pixels' 16.16 channels, one per 32-bit lane, as the
// scalar PackRgb565 of the whole parts.
inline __m128i Rgb565Lanes(__m128i r, __m128i g, __m128i b) {
  const __m128i cr = _mm_and_si128(_mm_srli_epi32(r, 8), _mm_set1_epi32(0xF800));
  const __m128i cg = _mm_and_si128(_mm_srli_epi32(g, 13), _mm_set1_epi32(0x07E0));
  return _mm_or_si128(_mm_or_si128(cr, cg), _mm_srli_epi32(b, 19));
}

// Eight 32-bit lanes of 0..65535 as eight 16-bit lanes (the signed pack
// needs them moved into its range and back).
inline __m128i PackWords(__m128i lo, __m128i hi) {
  const __m128i bias = _mm_set1_epi32(0x8000);
  return _mm_add_epi16(_mm_packs_epi32(_mm_sub_epi32(lo, bias), _mm_sub_epi32(hi, bias)),
                       _mm_set1_epi16(static_cast<short>(0x8000)));
}

template <bool Gouraud>
inline int Opaque16(std::uint8_t* span, float* zspan, int n, const SpanValues& v) {
  if (n < 8) return 0;  // and only then are the colour steps bounded (see Fill)
  DepthWrite depth(v);
  Steps r = ChannelSteps(v.r, v.dr), g = ChannelSteps(v.g, v.dg), b = ChannelSteps(v.b, v.db);
  __m128i colour = _mm_set1_epi16(
      static_cast<short>(surface::PackRgb565(unsigned(v.r >> 16), unsigned(v.g >> 16), unsigned(v.b >> 16))));
  int k = 0;
  for (; k + 8 <= n; k += 8) {
    if constexpr (Gouraud) {
      const __m128i r0 = r.Next(), g0 = g.Next(), b0 = b.Next();
      colour = PackWords(Rgb565Lanes(r0, g0, b0), Rgb565Lanes(r.Next(), g.Next(), b.Next()));
    }
    __m128i lo, hi;
    if (!depth.Next(zspan + k, lo, hi)) continue;
    auto* at = reinterpret_cast<__m128i*>(span + 2 * k);
    _mm_storeu_si128(at, Select(_mm_packs_epi32(lo, hi), colour, _mm_loadu_si128(at)));
  }
  return k;
}

template <bool Gouraud>
inline int Opaque24(std::uint8_t* span, float* zspan, int n, const SpanValues& v) {
  if (n < 8) return 0;  // and only then are the colour steps bounded (see Fill)
  DepthWrite depth(v);
  // Byte i of eight pixels: pixel i / 3, channel B, G, R by i % 3.
  const std::int32_t start[3] = {v.b, v.g, v.r}, step[3] = {v.db, v.dg, v.dr};
  auto lane = [&](int i) { return LaneValue(start[i % 3], Gouraud ? i / 3 : 0, step[i % 3]); };
  auto by8 = [&](int i) { return LaneValue(0, Gouraud ? 8 : 0, step[i % 3]); };
  auto quad = [&](int i) {
    return Steps{_mm_setr_epi32(lane(i), lane(i + 1), lane(i + 2), lane(i + 3)),
                 _mm_setr_epi32(by8(i), by8(i + 1), by8(i + 2), by8(i + 3))};
  };
  Steps q[6] = {quad(0), quad(4), quad(8), quad(12), quad(16), quad(20)};
  __m128i bytes01, bytes2;
  auto nextColours = [&] {
    const __m128i w0 = WholeParts(q[0].Next(), q[1].Next()), w1 = WholeParts(q[2].Next(), q[3].Next());
    const __m128i w2 = WholeParts(q[4].Next(), q[5].Next());
    bytes01 = _mm_packus_epi16(w0, w1);
    bytes2 = _mm_packus_epi16(w2, w2);
  };
  if constexpr (!Gouraud) nextColours();  // flat: the same for every pixel
  int k = 0;
  for (; k + 8 <= n; k += 8) {
    if constexpr (Gouraud) nextColours();
    __m128i lo, hi;
    if (!depth.Next(zspan + k, lo, hi)) continue;
    const int passes = _mm_movemask_ps(_mm_castsi128_ps(lo)) | (_mm_movemask_ps(_mm_castsi128_ps(hi)) << 4);
    std::uint8_t* at = span + 3 * k;
    __m128i o01 = bytes01, o2 = bytes2;
    if (passes != 0xFF) {
      const std::uint8_t* mask = kPassBytes.bytes[passes];
      o01 = Select(_mm_load_si128(reinterpret_cast<const __m128i*>(mask)), o01,
                   _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)));
      o2 = Select(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(mask + 16)), o2,
                  _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at + 16)));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), o01);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + 16), o2);
  }
  return k;
}

}  // namespace sse2
#endif

// `vector` false draws the whole span with the scalar loop (for tests).
template <int Bpp, bool Gouraud>
inline void OpaqueSpan(const Target& t, std::uint8_t* row, float* zrow, int xs, int xe, const SpanValues& v,
                       bool vector = true) {
  const int n = xe - xs;
  int done = 0;
#if defined(__SSE2__)
  if (vector) {
    if constexpr (Bpp == 16) done = sse2::Opaque16<Gouraud>(row + 2 * xs, zrow + xs, n, v);
    if constexpr (Bpp == 24) done = sse2::Opaque24<Gouraud>(row + 3 * xs, zrow + xs, n, v);
  }
#endif
  OpaqueSpanScalar<Bpp, Gouraud>(t, row, zrow, xs, n, v, done);
}

}  // namespace platform::rm::raster
