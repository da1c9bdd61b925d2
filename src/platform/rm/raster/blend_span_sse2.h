#pragma once
// The translucent span (blend_span.h) eight pixels at a time in SSE2, which
// every x86-64 has; the same pixels as the scalar loop, bit for bit.
#include <cstdint>

#include "platform/rm/raster/span_pixels.h"

#if defined(__SSE2__)
#include <emmintrin.h>

namespace platform::rm::raster::sse2 {

// Mix's (x·257 + 256) >> 16 in 16-bit lanes: the same as ((x + 1)·257) >> 16
// unless 257·(x + 1) is a multiple of 65536, which needs x = 65535, more
// than src·alpha + dst·(255 − alpha) reaches.
inline __m128i Div255(__m128i x) { return _mm_mulhi_epu16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_set1_epi16(257)); }

// src·alpha + dst·(255 − alpha) stays below 65536, so 16-bit lanes hold it.
inline __m128i Mix(__m128i src, __m128i dst, __m128i alpha, __m128i rest) {
  return Div255(_mm_add_epi16(_mm_mullo_epi16(src, alpha), _mm_mullo_epi16(dst, rest)));
}

// The depth test of eight pixels at a time. Pixel numbers are exact in a
// float up to 2^24, so stepping them by eight gives SpanDepth's k exactly.
struct DepthTest {
  __m128 z, dz, k;
  // From the span's pixel `first` on.
  explicit DepthTest(const SpanValues& v, int first = 0)
      : z(_mm_set1_ps(v.z)),
        dz(_mm_set1_ps(v.dz)),
        k(_mm_add_ps(_mm_set1_ps(static_cast<float>(first)), _mm_setr_ps(0, 1, 2, 3))) {}
  // Lanes of all ones where pixels k..k+3 (lo) and k+4..k+7 (hi) pass, for
  // the depth row at k; then on to the next eight.
  void Next(const float* zs, __m128i& lo, __m128i& hi) {
    const __m128 k4 = _mm_add_ps(k, _mm_set1_ps(4));
    lo = _mm_castps_si128(_mm_cmpgt_ps(_mm_add_ps(z, _mm_mul_ps(k, dz)), _mm_loadu_ps(zs)));
    hi = _mm_castps_si128(_mm_cmpgt_ps(_mm_add_ps(z, _mm_mul_ps(k4, dz)), _mm_loadu_ps(zs + 4)));
    k = _mm_add_ps(k, _mm_set1_ps(8));
  }
};

// 16.16 fixed-point values in four lanes that step by `step` every call.
struct Steps {
  __m128i at, step;
  __m128i Next() {
    const __m128i now = at;
    at = _mm_add_epi32(at, step);
    return now;
  }
};

// One colour channel of pixels k..k+3, stepping four pixels a call.
inline Steps ChannelSteps(std::int32_t start, std::int32_t step) {
  return {_mm_setr_epi32(start, LaneValue(start, 1, step), LaneValue(start, 2, step), LaneValue(start, 3, step)),
          _mm_set1_epi32(LaneValue(0, 4, step))};
}

// The whole parts of two four-lane fixed-point values as eight 16-bit lanes.
inline __m128i WholeParts(__m128i lo, __m128i hi) {
  return _mm_packs_epi32(_mm_srli_epi32(lo, 16), _mm_srli_epi32(hi, 16));
}

inline __m128i Select(__m128i mask, __m128i yes, __m128i no) {
  return _mm_or_si128(_mm_and_si128(mask, yes), _mm_andnot_si128(mask, no));
}

// Where the span's last pixels are fewer than eight: the bits of the first
// `count` of a group's eight.
inline int FirstBits(int count) { return count >= 8 ? 0xFF : (1 << count) - 1; }

// The pass mask of eight 16-bit lanes, for the first `count` only.
inline __m128i FirstLanes16(__m128i pass, int count) {
  if (count >= 8) return pass;
  return _mm_and_si128(
      pass, _mm_cmplt_epi16(_mm_setr_epi16(0, 1, 2, 3, 4, 5, 6, 7), _mm_set1_epi16(static_cast<short>(count))));
}

// Runs group(k) for the groups of eight from `first` on, and for a last
// group of fewer where it fits in `room`; returns the pixel it got to.
template <typename Group>
inline int Groups(int first, int n, int room, Group&& group) {
  int k = first;
  for (; k + 8 <= n; k += 8) group(k);
  if (k < n && k + 8 <= room) {
    group(k);
    k = n;
  }
  return k;
}

// RGB565, eight pixels at a time from the span's pixel `first`; where
// `room` pixels from the span's start lie inside the scissor, the last
// group of fewer than eight goes too, read and written whole with the
// pixels past the span's end left as they were (their colours may leave
// 0..255 and are never used). Returns the pixel it got to.
template <bool Gouraud>
inline int Blend16(std::uint8_t* span, const float* zspan, int n, const SpanValues& v, unsigned alpha, int first = 0,
                   int room = 0) {
  if (n - first < 8 && first + 8 > room) return first;
  DepthTest depth(v, first);
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
  const __m128i rest = _mm_set1_epi16(static_cast<short>(255 - alpha));
  Steps r = ChannelSteps(v.r + first * v.dr, v.dr), g = ChannelSteps(v.g + first * v.dg, v.dg),
        b = ChannelSteps(v.b + first * v.db, v.db);
  __m128i sr = _mm_set1_epi16(static_cast<short>(v.r >> 16));
  __m128i sg = _mm_set1_epi16(static_cast<short>(v.g >> 16));
  __m128i sb = _mm_set1_epi16(static_cast<short>(v.b >> 16));
  auto group = [&](int k) {
    if constexpr (Gouraud) {
      const __m128i r0 = r.Next(), g0 = g.Next(), b0 = b.Next();
      sr = WholeParts(r0, r.Next());
      sg = WholeParts(g0, g.Next());
      sb = WholeParts(b0, b.Next());
    }
    __m128i lo, hi;
    depth.Next(zspan + k, lo, hi);
    const __m128i pass = FirstLanes16(_mm_packs_epi32(lo, hi), n - k);
    if (_mm_movemask_epi8(pass) == 0) return;
    auto* at = reinterpret_cast<__m128i*>(span + 2 * k);
    const __m128i p = _mm_loadu_si128(at);
    // ExpandRgb565: the top bits repeated into the low ones.
    const __m128i r5 = _mm_srli_epi16(p, 11);
    const __m128i g6 = _mm_and_si128(_mm_srli_epi16(p, 5), _mm_set1_epi16(0x3F));
    const __m128i b5 = _mm_and_si128(p, _mm_set1_epi16(0x1F));
    const __m128i dr = _mm_or_si128(_mm_slli_epi16(r5, 3), _mm_srli_epi16(r5, 2));
    const __m128i dg = _mm_or_si128(_mm_slli_epi16(g6, 2), _mm_srli_epi16(g6, 4));
    const __m128i db = _mm_or_si128(_mm_slli_epi16(b5, 3), _mm_srli_epi16(b5, 2));
    // PackRgb565.
    const __m128i mr = _mm_slli_epi16(_mm_and_si128(Mix(sr, dr, a, rest), _mm_set1_epi16(0xF8)), 8);
    const __m128i mg = _mm_slli_epi16(_mm_and_si128(Mix(sg, dg, a, rest), _mm_set1_epi16(0xFC)), 3);
    const __m128i mb = _mm_srli_epi16(Mix(sb, db, a, rest), 3);
    _mm_storeu_si128(at, Select(pass, _mm_or_si128(_mm_or_si128(mr, mg), mb), p));
  };
  return Groups(first, n, room, group);
}

// Eight 24-bit pixels are 24 bytes, B G R each; they blend byte by byte in
// three registers of eight 16-bit lanes. kPassBytes[m] widens the depth
// test's eight pass bits m to those 24 bytes.
struct PassBytes {
  alignas(16) std::uint8_t bytes[256][32];
  constexpr PassBytes() : bytes{} {
    for (int m = 0; m < 256; ++m)
      for (int i = 0; i < 24; ++i) bytes[m][i] = (m >> (i / 3)) & 1 ? 0xFF : 0;
  }
};
inline constexpr PassBytes kPassBytes{};

// 24-bit, eight pixels (24 bytes) at a time, as Blend16.
template <bool Gouraud>
inline int Blend24(std::uint8_t* span, const float* zspan, int n, const SpanValues& v, unsigned alpha, int first = 0,
                   int room = 0) {
  if (n - first < 8 && first + 8 > room) return first;
  DepthTest depth(v, first);
  const __m128i a = _mm_set1_epi16(static_cast<short>(alpha));
  const __m128i rest = _mm_set1_epi16(static_cast<short>(255 - alpha));
  const __m128i zero = _mm_setzero_si128();
  // Byte i of the eight pixels belongs to pixel i / 3, channel B, G, R by
  // i % 3: its source value, 16.16, per 32-bit lane, stepping eight pixels.
  const std::int32_t start[3] = {v.b, v.g, v.r}, step[3] = {v.db, v.dg, v.dr};
  auto lane = [&](int i) { return LaneValue(start[i % 3], Gouraud ? first + i / 3 : 0, step[i % 3]); };
  auto by8 = [&](int i) { return LaneValue(0, Gouraud ? 8 : 0, step[i % 3]); };
  auto quad = [&](int i) {
    return Steps{_mm_setr_epi32(lane(i), lane(i + 1), lane(i + 2), lane(i + 3)),
                 _mm_setr_epi32(by8(i), by8(i + 1), by8(i + 2), by8(i + 3))};
  };
  Steps q[6] = {quad(0), quad(4), quad(8), quad(12), quad(16), quad(20)};
  __m128i s0, s1, s2;
  auto nextSources = [&] {
    s0 = WholeParts(q[0].Next(), q[1].Next());
    s1 = WholeParts(q[2].Next(), q[3].Next());
    s2 = WholeParts(q[4].Next(), q[5].Next());
  };
  if constexpr (!Gouraud) nextSources();  // flat: the same for every pixel
  auto group = [&](int k) {
    if constexpr (Gouraud) nextSources();
    __m128i lo, hi;
    depth.Next(zspan + k, lo, hi);
    const int passes =
        (_mm_movemask_ps(_mm_castsi128_ps(lo)) | (_mm_movemask_ps(_mm_castsi128_ps(hi)) << 4)) & FirstBits(n - k);
    if (passes == 0) return;
    std::uint8_t* at = span + 3 * k;
    const __m128i d01 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i d2 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(at + 16));
    const __m128i m0 = Mix(s0, _mm_unpacklo_epi8(d01, zero), a, rest);
    const __m128i m1 = Mix(s1, _mm_unpackhi_epi8(d01, zero), a, rest);
    const __m128i m2 = Mix(s2, _mm_unpacklo_epi8(d2, zero), a, rest);
    __m128i o01 = _mm_packus_epi16(m0, m1), o2 = _mm_packus_epi16(m2, m2);
    if (passes != 0xFF) {
      const std::uint8_t* bytes = kPassBytes.bytes[passes];
      o01 = Select(_mm_load_si128(reinterpret_cast<const __m128i*>(bytes)), o01, d01);
      o2 = Select(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes + 16)), o2, d2);
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(at), o01);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(at + 16), o2);
  };
  return Groups(first, n, room, group);
}

}  // namespace platform::rm::raster::sse2
#endif
