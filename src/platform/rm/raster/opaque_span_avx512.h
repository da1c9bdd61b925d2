#pragma once
// The opaque spans of one triangle (opaque_span.h) for processors with
// AVX-512 (F, VL and BW), chosen at run time with the row walk that uses
// them. The lanes and their arithmetic are the AVX2 ones, eight pixels to a
// group; what differs is how a group is written. The depth test gives a
// mask, and the depths and colours of the pixels that pass are stored
// under it: a group reads neither its colours nor a table of byte masks,
// and blends nothing. Lanes past a span's end are masked off in the load
// too, so a span is drawn whole however near the scissor's edge it ends.
// A group stays eight pixels wide: most spans are one group, and wider
// registers would only hold more lanes masked off.
#include <cstdint>

#include "platform/rm/raster/avx512.h"
#include "platform/rm/raster/opaque_span_avx2.h"

#if defined(ZARN_HAVE_AVX2_SPANS)

namespace platform::rm::raster::avx512 {

template <int Bpp, bool Gouraud>
class OpaqueLanes : public avx2::OpaqueLanes<Bpp, Gouraud> {
  using Base = avx2::OpaqueLanes<Bpp, Gouraud>;
  using Colours = typename Base::Colours;

 public:
  // Made here, so that the AVX2 constructor is compiled into the walk
  // rather than called from it.
  [[gnu::target(ZARN_AVX512_TARGET)]] explicit OpaqueLanes(const SpanValues& v) : Base(v) {}

  // As avx2::OpaqueLanes::Hides, whatever the room.
  [[gnu::target(ZARN_AVX512_TARGET)]] bool Hides(const float* zspan, int n, float firstZ, int /*room*/) const {
    const __m256 z = _mm256_set1_ps(firstZ);
    if (Passes(_mm256_add_ps(z, this->dz8_), zspan, n) != 0) return false;
    __m256 k = _mm256_setr_ps(8, 9, 10, 11, 12, 13, 14, 15);
    for (int at = 8; at < n; at += 8) {
      if (Passes(_mm256_add_ps(z, _mm256_mul_ps(k, this->dz_)), zspan + at, n - at) != 0) return false;
      k = _mm256_add_ps(k, _mm256_set1_ps(8));
    }
    return true;
  }

  // As avx2::OpaqueLanes::DrawGroup.
  [[gnu::target(ZARN_AVX512_TARGET)]] void DrawGroup(std::uint8_t* span, float* zspan, int n, float firstZ,
                                                     __m128i rgb) const {
    Group(span, zspan, _mm256_add_ps(_mm256_set1_ps(firstZ), this->dz8_), n, Colours(*this, rgb));
  }

  // As avx2::OpaqueLanes::Draw, but all n pixels whatever the room: it
  // returns n.
  [[gnu::target(ZARN_AVX512_TARGET)]] int Draw(std::uint8_t* span, float* zspan, int n, float firstZ, __m128i rgb,
                                               int /*room*/) const {
    const __m256 z = _mm256_set1_ps(firstZ);
    Colours colours(*this, rgb);
    Group(span, zspan, _mm256_add_ps(z, this->dz8_), n, colours);
    __m256 k = _mm256_setr_ps(8, 9, 10, 11, 12, 13, 14, 15);
    for (int at = 8; at < n; at += 8) {
      const __m256 zk = _mm256_add_ps(z, _mm256_mul_ps(k, this->dz_));
      k = _mm256_add_ps(k, _mm256_set1_ps(8));
      colours.Step();
      Group(span + (Bpp / 8) * at, zspan + at, zk, n - at, colours);
    }
    return n;
  }

 private:
  // Eight pixels with depths z, the first `count` of them only: those that
  // pass take their depth and colour, the others are not touched. A group
  // that nothing passes goes through the stores too, which then write
  // nothing: about half the groups of a scene drawn near to far lie behind
  // what is there, and a branch around the stores was guessed wrong often
  // enough to cost 4 % of the 800×600 anchor frame.
  [[gnu::target(ZARN_AVX512_TARGET)]] static void Group(std::uint8_t* span, float* zspan, __m256 z, int count,
                                                        const Colours& colours) {
    const __mmask8 pass = Passes(z, zspan, count);
    _mm256_mask_storeu_ps(zspan, pass, z);
    if constexpr (Bpp == 16) {
      _mm_mask_storeu_epi16(span, pass, colours.Next16());
    } else {
      // Each pixel's three bytes under its bit.
      _mm256_mask_storeu_epi8(span, static_cast<__mmask32>(PixelBytes24(pass)), colours.Next24());
    }
  }

  // Which of the first `count` of eight pixels with depths z pass the depth
  // test; the others are not read.
  [[gnu::target(ZARN_AVX512_TARGET)]] static __mmask8 Passes(__m256 z, const float* zspan, int count) {
    const auto lanes = static_cast<__mmask8>(SpanLanes(count, 8));
    return _mm256_mask_cmp_ps_mask(lanes, z, _mm256_maskz_loadu_ps(lanes, zspan), _CMP_GT_OQ);
  }
};

}  // namespace platform::rm::raster::avx512

#endif
