#pragma once
// The translucent span (blend_span.h) sixteen pixels at a time in AVX2, for
// processors that have it (chosen at run time: the build targets plain
// x86-64). The arithmetic is the SSE2 path's, twice as wide: the same pixels
// as the scalar loop, bit for bit. Multiply and add stay separate
// instructions (no FMA is enabled here), as SpanDepth computes them.
#include <cstdint>
#include <cstdlib>

#include "platform/rm/raster/blend_span_sse2.h"
#include "platform/rm/raster/span_pixels.h"

#if defined(__x86_64__) && defined(__GNUC__)
#define ZARN_HAVE_AVX2_SPANS 1
#include <immintrin.h>

namespace platform::rm::raster::avx2 {

// Whether the AVX2 spans and walks run; ZARN_NO_AVX2 in the environment
// keeps to the SSE2 ones, as on a processor without AVX2 (the golden
// pictures are checked both ways).
inline bool Available() {
  static const bool available = [] {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") != 0 && !std::getenv("ZARN_NO_AVX2");
  }();
  return available;
}

#define ZARN_AVX2 __attribute__((target("avx2")))

// Eight 32-bit lanes of a and of b as sixteen 16-bit lanes in pixel order
// (the pack works within 128-bit halves; the permute undoes the interleave).
ZARN_AVX2 inline __m256i Pack16(__m256i a, __m256i b) {
  return _mm256_permute4x64_epi64(_mm256_packs_epi32(a, b), 0xD8);
}

// As sse2::Mix: (x·257 + 256) >> 16 is ((x + 1)·257) >> 16 below 65535.
ZARN_AVX2 inline __m256i Mix(__m256i src, __m256i dst, __m256i alpha, __m256i rest) {
  const __m256i x = _mm256_add_epi16(_mm256_mullo_epi16(src, alpha), _mm256_mullo_epi16(dst, rest));
  return _mm256_mulhi_epu16(_mm256_add_epi16(x, _mm256_set1_epi16(1)), _mm256_set1_epi16(257));
}

// A channel of pixels 0..7 in 16.16 fixed point.
ZARN_AVX2 inline __m256i Steps(std::int32_t s, std::int32_t d) {
  return _mm256_setr_epi32(s, s + d, s + 2 * d, s + 3 * d, s + 4 * d, s + 5 * d, s + 6 * d, s + 7 * d);
}

// The whole parts of sixteen pixels' channel; then on to the next sixteen.
ZARN_AVX2 inline __m256i Next16(__m256i& c, __m256i step8) {
  const __m256i lo = _mm256_srli_epi32(c, 16);
  c = _mm256_add_epi32(c, step8);
  const __m256i hi = _mm256_srli_epi32(c, 16);
  c = _mm256_add_epi32(c, step8);
  return Pack16(lo, hi);
}

// RGB565; returns how many of the n pixels it drew.
template <bool Gouraud>
ZARN_AVX2 inline int Blend16(std::uint8_t* span, const float* zspan, int n, const SpanValues& v, unsigned alpha) {
  if (n < 16) return 0;  // and only then are the colour steps bounded (see Fill)
  const __m256 z = _mm256_set1_ps(v.z), dz = _mm256_set1_ps(v.dz);
  __m256 k8 = _mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7);
  const __m256i a = _mm256_set1_epi16(static_cast<short>(alpha));
  const __m256i rest = _mm256_set1_epi16(static_cast<short>(255 - alpha));
  __m256i r = Steps(v.r, v.dr), g = Steps(v.g, v.dg), b = Steps(v.b, v.db);
  const __m256i dr8 = _mm256_set1_epi32(8 * v.dr), dg8 = _mm256_set1_epi32(8 * v.dg);
  const __m256i db8 = _mm256_set1_epi32(8 * v.db);
  __m256i sr = _mm256_set1_epi16(static_cast<short>(v.r >> 16));
  __m256i sg = _mm256_set1_epi16(static_cast<short>(v.g >> 16));
  __m256i sb = _mm256_set1_epi16(static_cast<short>(v.b >> 16));
  int k = 0;
  for (; k + 16 <= n; k += 16) {
    if constexpr (Gouraud) {
      sr = Next16(r, dr8);
      sg = Next16(g, dg8);
      sb = Next16(b, db8);
    }
    const __m256 k8b = _mm256_add_ps(k8, _mm256_set1_ps(8));
    const __m256 lo = _mm256_cmp_ps(_mm256_add_ps(z, _mm256_mul_ps(k8, dz)), _mm256_loadu_ps(zspan + k), _CMP_GT_OQ);
    const __m256 hi =
        _mm256_cmp_ps(_mm256_add_ps(z, _mm256_mul_ps(k8b, dz)), _mm256_loadu_ps(zspan + k + 8), _CMP_GT_OQ);
    k8 = _mm256_add_ps(k8, _mm256_set1_ps(16));
    const __m256i pass = Pack16(_mm256_castps_si256(lo), _mm256_castps_si256(hi));
    if (_mm256_testz_si256(pass, pass)) continue;
    auto* at = reinterpret_cast<__m256i*>(span + 2 * k);
    const __m256i p = _mm256_loadu_si256(at);
    const __m256i r5 = _mm256_srli_epi16(p, 11);
    const __m256i g6 = _mm256_and_si256(_mm256_srli_epi16(p, 5), _mm256_set1_epi16(0x3F));
    const __m256i b5 = _mm256_and_si256(p, _mm256_set1_epi16(0x1F));
    const __m256i dr = _mm256_or_si256(_mm256_slli_epi16(r5, 3), _mm256_srli_epi16(r5, 2));
    const __m256i dg = _mm256_or_si256(_mm256_slli_epi16(g6, 2), _mm256_srli_epi16(g6, 4));
    const __m256i db = _mm256_or_si256(_mm256_slli_epi16(b5, 3), _mm256_srli_epi16(b5, 2));
    const __m256i mr = _mm256_slli_epi16(_mm256_and_si256(Mix(sr, dr, a, rest), _mm256_set1_epi16(0xF8)), 8);
    const __m256i mg = _mm256_slli_epi16(_mm256_and_si256(Mix(sg, dg, a, rest), _mm256_set1_epi16(0xFC)), 3);
    const __m256i mb = _mm256_srli_epi16(Mix(sb, db, a, rest), 3);
    const __m256i drawn = _mm256_or_si256(_mm256_or_si256(mr, mg), mb);
    _mm256_storeu_si256(at, _mm256_blendv_epi8(p, drawn, pass));
  }
  return k;
}

// Pass masks of pixels k..k+15 against the depth row at k, as sixteen bits;
// then on to the next sixteen.
ZARN_AVX2 inline int Passes16(const float* zs, __m256 z, __m256 dz, __m256& k8) {
  const __m256 k8b = _mm256_add_ps(k8, _mm256_set1_ps(8));
  const __m256 lo = _mm256_cmp_ps(_mm256_add_ps(z, _mm256_mul_ps(k8, dz)), _mm256_loadu_ps(zs), _CMP_GT_OQ);
  const __m256 hi = _mm256_cmp_ps(_mm256_add_ps(z, _mm256_mul_ps(k8b, dz)), _mm256_loadu_ps(zs + 8), _CMP_GT_OQ);
  k8 = _mm256_add_ps(k8, _mm256_set1_ps(16));
  return _mm256_movemask_ps(lo) | (_mm256_movemask_ps(hi) << 8);
}

// 24-bit: sixteen pixels are 48 bytes, B G R each, blended byte by byte in
// three registers of sixteen 16-bit lanes (as sse2::Blend24, twice as wide).
template <bool Gouraud>
ZARN_AVX2 inline int Blend24(std::uint8_t* span, const float* zspan, int n, const SpanValues& v, unsigned alpha) {
  if (n < 16) return 0;  // and only then are the colour steps bounded (see Fill)
  const __m256 z = _mm256_set1_ps(v.z), dz = _mm256_set1_ps(v.dz);
  __m256 k8 = _mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7);
  const __m256i a = _mm256_set1_epi16(static_cast<short>(alpha));
  const __m256i rest = _mm256_set1_epi16(static_cast<short>(255 - alpha));
  // Byte i belongs to pixel i / 3, channel B, G, R by i % 3; its source
  // value in 16.16 per 32-bit lane, stepping sixteen pixels at a time.
  const std::int32_t start[3] = {v.b, v.g, v.r}, step[3] = {v.db, v.dg, v.dr};
  __m256i at[6], by16[6];
  for (int q = 0; q < 6; ++q) {
    alignas(32) std::int32_t lanes[8], steps[8];
    for (int j = 0; j < 8; ++j) {
      const int i = 8 * q + j;
      lanes[j] = LaneValue(start[i % 3], Gouraud ? i / 3 : 0, step[i % 3]);
      steps[j] = LaneValue(0, Gouraud ? 16 : 0, step[i % 3]);
    }
    at[q] = _mm256_load_si256(reinterpret_cast<const __m256i*>(lanes));
    by16[q] = _mm256_load_si256(reinterpret_cast<const __m256i*>(steps));
  }
  __m256i src[3];
  for (int r = 0; r < 3; ++r) src[r] = Pack16(_mm256_srli_epi32(at[2 * r], 16), _mm256_srli_epi32(at[2 * r + 1], 16));
  int k = 0;
  for (; k + 16 <= n; k += 16) {
    if constexpr (Gouraud) {
      if (k > 0) {
        for (int q = 0; q < 6; ++q) at[q] = _mm256_add_epi32(at[q], by16[q]);
        for (int r = 0; r < 3; ++r)
          src[r] = Pack16(_mm256_srli_epi32(at[2 * r], 16), _mm256_srli_epi32(at[2 * r + 1], 16));
      }
    }
    const int passes = Passes16(zspan + k, z, dz, k8);
    if (passes == 0) continue;
    std::uint8_t* px = span + 3 * k;
    __m128i d[3];
    __m256i mixed[3];
    for (int r = 0; r < 3; ++r) {
      d[r] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(px + 16 * r));
      mixed[r] = Mix(src[r], _mm256_cvtepu8_epi16(d[r]), a, rest);
    }
    const __m256i o01 = _mm256_permute4x64_epi64(_mm256_packus_epi16(mixed[0], mixed[1]), 0xD8);
    const __m128i o2 = _mm256_castsi256_si128(_mm256_permute4x64_epi64(_mm256_packus_epi16(mixed[2], mixed[2]), 0xD8));
    __m128i out[3] = {_mm256_castsi256_si128(o01), _mm256_extracti128_si256(o01, 1), o2};
    if (passes != 0xFFFF) {
      // The pass bytes of pixels 0..7 and 8..15, 24 each, side by side.
      const std::uint8_t* lo = sse2::kPassBytes.bytes[passes & 0xFF];
      const std::uint8_t* hi = sse2::kPassBytes.bytes[passes >> 8];
      const __m128i m[3] = {_mm_load_si128(reinterpret_cast<const __m128i*>(lo)),
                            _mm_unpacklo_epi64(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(lo + 16)),
                                               _mm_loadl_epi64(reinterpret_cast<const __m128i*>(hi))),
                            _mm_loadu_si128(reinterpret_cast<const __m128i*>(hi + 8))};
      for (int r = 0; r < 3; ++r) out[r] = _mm_blendv_epi8(d[r], out[r], m[r]);
    }
    for (int r = 0; r < 3; ++r) _mm_storeu_si128(reinterpret_cast<__m128i*>(px + 16 * r), out[r]);
  }
  return k;
}

#undef ZARN_AVX2

}  // namespace platform::rm::raster::avx2
#endif
