#pragma once
// The opaque spans of one triangle (opaque_span.h) for processors with
// AVX2, chosen at run time with the row walk that uses them: a group's
// eight depths in one register, a Gouraud channel's eight values in one,
// and the masked writes as single blends. The arithmetic is the SSE2
// path's (no FMA is enabled here: multiply and add stay separate, as
// SpanDepth computes them), so the pixels and depths are the same bit for
// bit.
#include <cstdint>

#include "platform/rm/raster/blend_span_avx2.h"
#include "platform/rm/raster/opaque_span.h"

#if defined(ZARN_HAVE_AVX2_SPANS)

namespace platform::rm::raster::avx2 {

#define ZARN_AVX2 __attribute__((target("avx2")))

template <int Bpp, bool Gouraud>
class OpaqueLanes {
  static_assert(Bpp == 16 || Bpp == 24);

 public:
  // Set up for every triangle: the lanes' products k·step come from one
  // multiply (its low 32 bits wrap as LaneValue's do), not from memory.
  ZARN_AVX2 explicit OpaqueLanes(const SpanValues& v)
      : dz_(_mm256_set1_ps(v.dz)), dz8_(_mm256_mul_ps(_mm256_setr_ps(0, 1, 2, 3, 4, 5, 6, 7), dz_)) {
    if constexpr (Bpp == 16) {
      if constexpr (Gouraud) {
        const __m256i k = _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7);
        const __m256i step[3] = {_mm256_set1_epi32(v.dr), _mm256_set1_epi32(v.dg), _mm256_set1_epi32(v.db)};
        for (int c = 0; c < 3; ++c) {
          lanes_[c] = _mm256_mullo_epi32(k, step[c]);
          by8_[c] = _mm256_slli_epi32(step[c], 3);
        }
      } else {
        flat01_ = _mm_set1_epi16(
            static_cast<short>(surface::PackRgb565(unsigned(v.r >> 16), unsigned(v.g >> 16), unsigned(v.b >> 16))));
      }
    } else {
      // Byte i of eight pixels (pixel i / 3, channel B, G, R by i % 3) in
      // lane i % 8 of register i / 8.
      const __m256i bgr = _mm256_setr_epi32(v.db, v.dg, v.dr, v.b, v.g, v.r, 0, 0);
      const int add = Gouraud ? 0 : 3;  // a flat triangle's lanes take the colour, not the steps
      for (int q = 0; q < 3; ++q) {
        const __m256i channel = _mm256_add_epi32(ByteChannels(q), _mm256_set1_epi32(add));
        const __m256i step = _mm256_permutevar8x32_epi32(bgr, channel);
        lanes_[q] = Gouraud ? _mm256_mullo_epi32(BytePixels(q), step) : step;
        by8_[q] = _mm256_slli_epi32(step, 3);
      }
      if constexpr (!Gouraud) {
        flat_ = Ordered24(lanes_);
        flat01_ = _mm256_castsi256_si128(flat_);
        flat2_ = _mm256_extracti128_si256(flat_, 1);
      }
    }
  }

  // As sse2::OpaqueLanes::Hides.
  ZARN_AVX2 bool Hides(const float* zspan, int n, float firstZ, int room) const {
    if (room < 8) return false;
    const __m256 z = _mm256_set1_ps(firstZ);
    if (AnyPasses(_mm256_add_ps(z, dz8_), zspan, n)) return false;
    __m256 k = _mm256_setr_ps(8, 9, 10, 11, 12, 13, 14, 15);
    for (int at = 8; at < n; at += 8) {
      if (at + 8 > room || AnyPasses(_mm256_add_ps(z, _mm256_mul_ps(k, dz_)), zspan + at, n - at)) return false;
      k = _mm256_add_ps(k, _mm256_set1_ps(8));
    }
    return true;
  }

  // As sse2::OpaqueLanes::DrawGroup.
  ZARN_AVX2 void DrawGroup(std::uint8_t* span, float* zspan, int n, float firstZ, __m128i rgb) const {
    Group<true>(span, zspan, _mm256_add_ps(_mm256_set1_ps(firstZ), dz8_), n, Colours(*this, rgb));
  }

  // As sse2::OpaqueLanes::Draw.
  ZARN_AVX2 int Draw(std::uint8_t* span, float* zspan, int n, float firstZ, __m128i rgb, int room) const {
    if (n < 8 && room < 8) return 0;
    const __m256 z = _mm256_set1_ps(firstZ);
    Colours colours(*this, rgb);
    Group(span, zspan, _mm256_add_ps(z, dz8_), n, colours);
    if (n <= 8) return n;
    __m256 k = _mm256_setr_ps(8, 9, 10, 11, 12, 13, 14, 15);
    int at = 8;
    for (; at < n && at + 8 <= room; at += 8) {
      const __m256 zk = _mm256_add_ps(z, _mm256_mul_ps(k, dz_));
      k = _mm256_add_ps(k, _mm256_set1_ps(8));
      colours.Step();
      Group(span + (Bpp / 8) * at, zspan + at, zk, n - at, colours);
    }
    return at < n ? at : n;
  }

 protected:
  // A group's colours; Step goes on to the next group. Lanes past the span's
  // end may leave 0..255 (their adds wrap): they are never written.
  class Colours {
   public:
    // The starts in lanes 1 to 3 of rgb.
    ZARN_AVX2 Colours(const OpaqueLanes& l, __m128i rgb) : l_(l) {
      if constexpr (!Gouraud) return;
      if constexpr (Bpp == 16) {
        at_[0] = _mm256_add_epi32(_mm256_broadcastd_epi32(_mm_shuffle_epi32(rgb, 0x55)), l.lanes_[0]);
        at_[1] = _mm256_add_epi32(_mm256_broadcastd_epi32(_mm_shuffle_epi32(rgb, 0xAA)), l.lanes_[1]);
        at_[2] = _mm256_add_epi32(_mm256_broadcastd_epi32(_mm_shuffle_epi32(rgb, 0xFF)), l.lanes_[2]);
      } else {
        // B, G, R are lanes 3, 2, 1 of rgb.
        const __m256i bgr = _mm256_castsi128_si256(rgb);
        for (int q = 0; q < 3; ++q) {
          const __m256i lane = _mm256_sub_epi32(_mm256_set1_epi32(3), ByteChannels(q));
          at_[q] = _mm256_add_epi32(_mm256_permutevar8x32_epi32(bgr, lane), l.lanes_[q]);
        }
      }
    }
    ZARN_AVX2 void Step() {
      if constexpr (Gouraud)
        for (int i = 0; i < 3; ++i) at_[i] = _mm256_add_epi32(at_[i], l_.by8_[i]);
    }
    // RGB565 of the group's eight pixels.
    ZARN_AVX2 __m128i Next16() const {
      if constexpr (!Gouraud) {
        return l_.flat01_;
      } else {
        const __m256i cr = _mm256_and_si256(_mm256_srli_epi32(at_[0], 8), _mm256_set1_epi32(0xF800));
        const __m256i cg = _mm256_and_si256(_mm256_srli_epi32(at_[1], 13), _mm256_set1_epi32(0x07E0));
        const __m256i c = _mm256_or_si256(_mm256_or_si256(cr, cg), _mm256_srli_epi32(at_[2], 19));
        return _mm_packus_epi32(_mm256_castsi256_si128(c), _mm256_extracti128_si256(c, 1));
      }
    }
    // The 24 bytes of the group's eight pixels.
    ZARN_AVX2 void Next24(__m128i& bytes01, __m128i& bytes2) const {
      if constexpr (Gouraud)
        Bytes24(at_, bytes01, bytes2);
      else
        bytes01 = l_.flat01_, bytes2 = l_.flat2_;
    }
    // The same in one register, in order (its last eight bytes are not the
    // group's).
    ZARN_AVX2 __m256i Next24() const {
      if constexpr (Gouraud)
        return Ordered24(at_);
      else
        return l_.flat_;
    }

   private:
    const OpaqueLanes& l_;
    __m256i at_[3];
  };

  __m256 dz_, dz8_;  // the depth step, and k·dz for k = 0..7

 private:
  // Eight pixels with depths z, the first `count` of them only (kMasked:
  // count is at most eight, and the mask is taken without asking). Pixels
  // that fail, and those past the span, keep their depth and colour: they
  // are written back as they were.
  template <bool kMasked = false>
  ZARN_AVX2 static void Group(std::uint8_t* span, float* zspan, __m256 z, int count, const Colours& colours) {
    const __m256 old = _mm256_loadu_ps(zspan);
    const __m256 pass = Passes<kMasked>(z, old, count);
    const int passes = _mm256_movemask_ps(pass);
    if (passes == 0) return;
    _mm256_storeu_ps(zspan, _mm256_blendv_ps(old, z, pass));
    if constexpr (Bpp == 16) {
      auto* p = reinterpret_cast<__m128i*>(span);
      const __m256i wide = _mm256_castps_si256(pass);
      const __m128i pass16 = _mm_packs_epi32(_mm256_castsi256_si128(wide), _mm256_extracti128_si256(wide, 1));
      _mm_storeu_si128(p, _mm_blendv_epi8(_mm_loadu_si128(p), colours.Next16(), pass16));
    } else {
      __m128i o01, o2;
      colours.Next24(o01, o2);
      sse2::StorePixels24(span, o01, o2, passes, SelectBytes{});
    }
  }

  // Whether any of the first `count` of eight pixels with depths z passes
  // the depth test.
  ZARN_AVX2 static bool AnyPasses(__m256 z, const float* zspan, int count) {
    return _mm256_movemask_ps(Passes(z, _mm256_loadu_ps(zspan), count)) != 0;
  }

  // The depth test of eight pixels with depths z over `old`, the first
  // `count` of them only (kMasked: as Group's).
  template <bool kMasked = false>
  ZARN_AVX2 static __m256 Passes(__m256 z, __m256 old, int count) {
    const __m256 pass = _mm256_cmp_ps(z, old, _CMP_GT_OQ);
    if (!kMasked && count >= 8) return pass;
    return _mm256_and_ps(pass, _mm256_loadu_ps(reinterpret_cast<const float*>(sse2::kFirstLanes.lanes[count])));
  }

  // sse2::Select as one blend.
  struct SelectBytes {
    ZARN_AVX2 __m128i operator()(__m128i mask, __m128i yes, __m128i no) const { return _mm_blendv_epi8(no, yes, mask); }
  };

  // Of bytes 8q..8q+7 of eight 24-bit pixels: their channels (0, 1, 2 for
  // B, G, R) and their pixels.
  ZARN_AVX2 static __m256i ByteChannels(int q) {
    return q == 0   ? _mm256_setr_epi32(0, 1, 2, 0, 1, 2, 0, 1)
           : q == 1 ? _mm256_setr_epi32(2, 0, 1, 2, 0, 1, 2, 0)
                    : _mm256_setr_epi32(1, 2, 0, 1, 2, 0, 1, 2);
  }
  ZARN_AVX2 static __m256i BytePixels(int q) {
    return q == 0   ? _mm256_setr_epi32(0, 0, 0, 1, 1, 1, 2, 2)
           : q == 1 ? _mm256_setr_epi32(2, 3, 3, 3, 4, 4, 4, 5)
                    : _mm256_setr_epi32(5, 5, 6, 6, 6, 7, 7, 7);
  }

  // The 24 bytes of eight pixels from their three registers of 16.16
  // values, in order in the low 24 bytes. The packs work within 128-bit
  // halves, leaving the 4-byte runs of bytes 0..3, 8..11, 16..19, 16..19,
  // 4..7, 12..15, 20..23, 20..23; the permute puts them in order.
  ZARN_AVX2 static __m256i Ordered24(const __m256i (&q)[3]) {
    const __m256i w01 = _mm256_packus_epi32(_mm256_srli_epi32(q[0], 16), _mm256_srli_epi32(q[1], 16));
    const __m256i w2 = _mm256_srli_epi32(q[2], 16);
    const __m256i b = _mm256_packus_epi16(w01, _mm256_packus_epi32(w2, w2));
    return _mm256_permutevar8x32_epi32(b, _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
  }
  // The same as the first 16 bytes and the 8 after them.
  ZARN_AVX2 static void Bytes24(const __m256i (&q)[3], __m128i& bytes01, __m128i& bytes2) {
    const __m256i ordered = Ordered24(q);
    bytes01 = _mm256_castsi256_si128(ordered);
    bytes2 = _mm256_extracti128_si256(ordered, 1);
  }

  // 16 bits, Gouraud: k·step of each channel for k = 0..7. 24 bits: the
  // three registers of the bytes' k·step, or of the flat bytes' values.
  // Only what the triangle's kind uses is set up: each triangle makes one.
  __m256i lanes_[3];
  __m256i by8_[3];  // a group's step: per channel (16), per register (24)
  __m256i flat_;    // 24 bits, flat: the group's bytes, and as two halves
  __m128i flat01_, flat2_;
};

#undef ZARN_AVX2

}  // namespace platform::rm::raster::avx2

#endif
