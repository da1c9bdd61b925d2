#pragma once
// The spans of an 8-bit target, opaque and translucent, eight pixels at a
// time in AVX2 where the processor has it (AVX-512 ones too): the depth
// test in lanes, and the colours through the palette. A Gouraud span's
// colours are written as the nearest entry's index (PaletteLut), looked up
// for eight pixels at once by a gather; a translucent one's pixels are read
// through the palette by another, and mixed as Mix does in 32-bit lanes
// that wrap as its unsigned arithmetic does. A flat translucent span reads
// back what its blend has learned of each index (FlatBlend8). The same
// pixels and depths as the scalar loops, bit for bit. Each returns how many
// of the span's n pixels it drew, whole groups of eight inside the span;
// the scalar loop draws the rest. (Pixel by pixel, the translucent table
// tops of a 1080p 8-bit picture took more than half of its turn.)
#include <cstddef>
#include <cstdint>

#include "platform/rm/raster/blend_span_avx2.h"
#include "platform/rm/raster/palette_flat_blend.h"
#include "platform/rm/raster/palette_lut.h"
#include "platform/rm/raster/span_pixels.h"

#if defined(ZARN_HAVE_AVX2_SPANS)
#include <immintrin.h>

namespace platform::rm::raster::avx2 {

// The entries' gather takes each as four bytes: red, green, blue, flags.
static_assert(sizeof(surface::PaletteEntry) == 4 && offsetof(surface::PaletteEntry, red) == 0 &&
              offsetof(surface::PaletteEntry, green) == 1 && offsetof(surface::PaletteEntry, blue) == 2);

#define ZARN_AVX2 __attribute__((target("avx2")))

// A channel of pixels 0..7 in 16.16, wrapping as LaneValue.
ZARN_AVX2 inline __m256i Ramp8(std::int32_t s, std::int32_t d) {
  return _mm256_setr_epi32(LaneValue(s, 0, d), LaneValue(s, 1, d), LaneValue(s, 2, d), LaneValue(s, 3, d),
                           LaneValue(s, 4, d), LaneValue(s, 5, d), LaneValue(s, 6, d), LaneValue(s, 7, d));
}

// Byte 0 of each of eight 32-bit lanes, in the low eight bytes.
ZARN_AVX2 inline __m128i LowBytes(__m256i v) {
  const __m256i firsts = _mm256_setr_epi8(0, 4, 8, 12, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 0, 4, 8, 12, -1,
                                          -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1);
  const __m256i picked = _mm256_shuffle_epi8(v, firsts);
  return _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(picked, _mm256_setr_epi32(0, 4, 1, 1, 1, 1, 1, 1)));
}

// A Gouraud span's colour at eight pixels: each channel's whole part, as
// the scalar loops take it (an arithmetic shift, then read as unsigned);
// then on to the next eight.
class Source8 {
 public:
  ZARN_AVX2 explicit Source8(const SpanValues& v)
      : r_(Ramp8(v.r, v.dr)),
        g_(Ramp8(v.g, v.dg)),
        b_(Ramp8(v.b, v.db)),
        dr_(_mm256_set1_epi32(LaneValue(0, 8, v.dr))),
        dg_(_mm256_set1_epi32(LaneValue(0, 8, v.dg))),
        db_(_mm256_set1_epi32(LaneValue(0, 8, v.db))) {}
  ZARN_AVX2 void Next(__m256i& r, __m256i& g, __m256i& b) {
    r = _mm256_srai_epi32(r_, 16);
    g = _mm256_srai_epi32(g_, 16);
    b = _mm256_srai_epi32(b_, 16);
    r_ = _mm256_add_epi32(r_, dr_);
    g_ = _mm256_add_epi32(g_, dg_);
    b_ = _mm256_add_epi32(b_, db_);
  }

 private:
  __m256i r_, g_, b_, dr_, dg_, db_;
};

// The nearest palette index of eight colours, in the low byte of each lane.
ZARN_AVX2 inline __m256i NearestIndex(const PaletteLut& lut, __m256i r, __m256i g, __m256i b) {
  const __m256i f8 = _mm256_set1_epi32(0xF8), ff = _mm256_set1_epi32(0xFF), three = _mm256_set1_epi32(3);
  const __m256i cell = _mm256_or_si256(
      _mm256_or_si256(_mm256_slli_epi32(_mm256_and_si256(r, f8), 7), _mm256_slli_epi32(_mm256_and_si256(g, f8), 2)),
      _mm256_srli_epi32(_mm256_and_si256(b, ff), 3));
  // Each cell's byte out of the four from the multiple of four below it:
  // four bytes read at the last cells would run past the table.
  const __m256i word =
      _mm256_i32gather_epi32(reinterpret_cast<const int*>(lut.Cells()), _mm256_andnot_si256(three, cell), 1);
  return _mm256_srlv_epi32(word, _mm256_slli_epi32(_mm256_and_si256(cell, three), 3));
}

// The depths of pixels k..k+7, as SpanDepth makes them; then on to the
// next eight.
class Depths8 {
 public:
  ZARN_AVX2 explicit Depths8(const SpanValues& v)
      : z_(_mm256_set1_ps(v.z)), dz_(_mm256_set1_ps(v.dz)), k8_(_mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7)) {}
  ZARN_AVX2 __m256 Next() {
    const __m256 z = _mm256_add_ps(z_, _mm256_mul_ps(k8_, dz_));
    k8_ = _mm256_add_ps(k8_, _mm256_set1_ps(8));
    return z;
  }

 private:
  __m256 z_, dz_, k8_;
};

// As Mix at one alpha, in 32-bit lanes.
class Mix8 {
 public:
  ZARN_AVX2 explicit Mix8(unsigned alpha)
      : alpha_(_mm256_set1_epi32(static_cast<int>(alpha))), rest_(_mm256_set1_epi32(static_cast<int>(255 - alpha))) {}
  ZARN_AVX2 __m256i operator()(__m256i src, __m256i dst) const {
    const __m256i x = _mm256_add_epi32(_mm256_mullo_epi32(src, alpha_), _mm256_mullo_epi32(dst, rest_));
    return _mm256_srli_epi32(_mm256_add_epi32(_mm256_mullo_epi32(x, _mm256_set1_epi32(257)), _mm256_set1_epi32(256)),
                             16);
  }

 private:
  __m256i alpha_, rest_;
};

template <bool Gouraud>
ZARN_AVX2 inline int Opaque8(std::uint8_t* span, float* zspan, int n, const SpanValues& v, const PaletteLut& lut) {
  if (n < 8) return 0;
  Depths8 depths(v);
  Source8 source(v);
  __m128i drawn = _mm_setzero_si128();
  if constexpr (!Gouraud)  // the one index, looked up once
    drawn = _mm_set1_epi8(static_cast<char>(lut.Index(unsigned(v.r >> 16), unsigned(v.g >> 16), unsigned(v.b >> 16))));
  int k = 0;
  for (; k + 8 <= n; k += 8) {
    __m256i r, g, b;
    if constexpr (Gouraud) source.Next(r, g, b);
    const __m256 zk = depths.Next();
    const __m256 pass = _mm256_cmp_ps(zk, _mm256_loadu_ps(zspan + k), _CMP_GT_OQ);
    if (_mm256_testz_ps(pass, pass)) continue;
    _mm256_maskstore_ps(zspan + k, _mm256_castps_si256(pass), zk);
    if constexpr (Gouraud) drawn = LowBytes(NearestIndex(lut, r, g, b));
    auto* at = reinterpret_cast<__m128i*>(span + k);
    _mm_storel_epi64(at, _mm_blendv_epi8(_mm_loadl_epi64(at), drawn, LowBytes(_mm256_castps_si256(pass))));
  }
  return k;
}

// A flat translucent span: the depths eight at a time, and each passing
// pixel's new index read back from what the blend has learned.
ZARN_AVX2 inline int BlendFlat8(std::uint8_t* span, const float* zspan, int n, const SpanValues& v, FlatBlend8& blend) {
  Depths8 depths(v);
  int k = 0;
  for (; k + 8 <= n; k += 8) {
    const int pass = _mm256_movemask_ps(_mm256_cmp_ps(depths.Next(), _mm256_loadu_ps(zspan + k), _CMP_GT_OQ));
    for (int i = 0; i < 8; ++i)
      if (pass >> i & 1) span[k + i] = blend.Over(span[k + i]);
  }
  return k;
}

// A Gouraud translucent span, each pixel mixed.
ZARN_AVX2 inline int BlendGouraud8(std::uint8_t* span, const float* zspan, int n, const SpanValues& v, unsigned alpha,
                                   const PaletteLut& lut) {
  Depths8 depths(v);
  const Mix8 mix(alpha);
  const __m256i ff = _mm256_set1_epi32(0xFF);
  const auto* entries = reinterpret_cast<const int*>(lut.Entries());
  Source8 source(v);
  int k = 0;
  for (; k + 8 <= n; k += 8) {
    __m256i r, g, b;
    source.Next(r, g, b);
    const __m256 pass = _mm256_cmp_ps(depths.Next(), _mm256_loadu_ps(zspan + k), _CMP_GT_OQ);
    if (_mm256_testz_ps(pass, pass)) continue;
    auto* at = reinterpret_cast<__m128i*>(span + k);
    const __m128i old = _mm_loadl_epi64(at);
    const __m256i e = _mm256_i32gather_epi32(entries, _mm256_cvtepu8_epi32(old), 4);
    const __m256i index =
        NearestIndex(lut, mix(r, _mm256_and_si256(e, ff)), mix(g, _mm256_and_si256(_mm256_srli_epi32(e, 8), ff)),
                     mix(b, _mm256_and_si256(_mm256_srli_epi32(e, 16), ff)));
    _mm_storel_epi64(at, _mm_blendv_epi8(old, LowBytes(index), LowBytes(_mm256_castps_si256(pass))));
  }
  return k;
}

#undef ZARN_AVX2

}  // namespace platform::rm::raster::avx2
#endif
