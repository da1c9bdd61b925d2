#pragma once
// The opaque span: each pixel nearer than what is there takes the colour and
// the depth. In 16 and 24 bits eight pixels go at a time through SSE2, and
// the last group of fewer goes masked wherever eight pixels fit before the
// scissor's edge (the pixels past the span's end are read and written back
// as they were); the scalar loop finishes the rest. 8-bit targets go eight
// pixels at a time where the processor has AVX2 (palette_span_avx2.h).
// Small faces make spans of a few pixels, so what all spans of a triangle
// share (the depth and colour steps of a group's lanes, a flat colour) is
// set up once per triangle, in OpaqueLanes. The depth written is
// SpanDepth's z + k·dz on every path, and colours step as exact integers,
// so all paths give the same pixels and the same depth buffer, bit for bit.
#include <cstdint>
#include <cstring>

#include "platform/rm/raster/blend_span_sse2.h"
#include "platform/rm/raster/palette_span_avx2.h"
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

// Lanes 0..n-1 of a group of eight, as two masks of four 32-bit lanes.
struct FirstLaneMasks {
  alignas(16) std::int32_t lanes[9][8];
  constexpr FirstLaneMasks() : lanes{} {
    for (int n = 0; n <= 8; ++n)
      for (int k = 0; k < 8; ++k) lanes[n][k] = k < n ? -1 : 0;
  }
};
inline constexpr FirstLaneMasks kFirstLanes{};

// A group's new 24 bytes (o01, then o2) written over its eight 24-bit
// pixels, changing only those whose bit is set in `passes`.
// `select(mask, yes, no)` picks bytes by mask: the AVX2 spans give it one
// instruction.
template <class Select>
[[gnu::always_inline]] inline void StorePixels24(std::uint8_t* span, __m128i o01, __m128i o2, int passes,
                                                 Select select) {
  if (passes != 0xFF) {
    const std::uint8_t* mask = kPassBytes.bytes[passes];
    o01 = select(_mm_load_si128(reinterpret_cast<const __m128i*>(mask)), o01,
                 _mm_loadu_si128(reinterpret_cast<const __m128i*>(span)));
    o2 = select(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(mask + 16)), o2,
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(span + 16)));
  }
  _mm_storeu_si128(reinterpret_cast<__m128i*>(span), o01);
  _mm_storel_epi64(reinterpret_cast<__m128i*>(span + 16), o2);
}

// The opaque spans of one triangle at 16 or 24 bits per pixel, from the
// depth step, the colour steps its spans take (the row walk gives a span
// whose end would leave 0..255 steps of its own, and draws it otherwise)
// and, when flat, its colour.
template <int Bpp, bool Gouraud>
class OpaqueLanes {
  static_assert(Bpp == 16 || Bpp == 24);

 public:
  explicit OpaqueLanes(const SpanValues& v)
      : dz_(_mm_set1_ps(v.dz)),
        dz0_(_mm_mul_ps(_mm_setr_ps(0, 1, 2, 3), dz_)),
        dz1_(_mm_mul_ps(_mm_setr_ps(4, 5, 6, 7), dz_)) {
    if constexpr (Bpp == 16) {
      if constexpr (Gouraud) {
        const std::int32_t step[3] = {v.dr, v.dg, v.db};
        for (int c = 0; c < 3; ++c) {
          const std::int32_t s = step[c];
          lanes_[2 * c] = _mm_setr_epi32(0, s, LaneValue(0, 2, s), LaneValue(0, 3, s));
          lanes_[2 * c + 1] =
              _mm_setr_epi32(LaneValue(0, 4, s), LaneValue(0, 5, s), LaneValue(0, 6, s), LaneValue(0, 7, s));
          by8_[c] = _mm_set1_epi32(LaneValue(0, 8, s));
        }
      } else {
        lanes_[0] = _mm_set1_epi16(
            static_cast<short>(surface::PackRgb565(unsigned(v.r >> 16), unsigned(v.g >> 16), unsigned(v.b >> 16))));
      }
    } else {
      // Byte i of eight pixels: pixel i / 3, channel B, G, R by i % 3; the
      // 24 bytes as six quads of 32-bit lanes.
      const std::int32_t step[3] = {v.db, v.dg, v.dr}, start[3] = {v.b, v.g, v.r};
      for (int q = 0; q < 6; ++q) {
        std::int32_t lane[4];
        for (int j = 0; j < 4; ++j) {
          const int i = 4 * q + j;
          lane[j] = Gouraud ? LaneValue(0, i / 3, step[i % 3]) : start[i % 3];
        }
        lanes_[q] = _mm_setr_epi32(lane[0], lane[1], lane[2], lane[3]);
      }
      if constexpr (Gouraud) {
        for (int p = 0; p < 3; ++p)
          by8_[p] = InByteOrder(LaneValue(0, 8, v.db), LaneValue(0, 8, v.dg), LaneValue(0, 8, v.dr), p);
      } else {
        Bytes24(lanes_, flat01_, flat2_);
      }
    }
  }

  // True when none of the n pixels of a span passes the depth test, with
  // the depths Draw would give them, tested eight at a time where `room`
  // allows (false where it does not).
  bool Hides(const float* zspan, int n, float firstZ, int room) const {
    if (room < 8) return false;
    const __m128 z = _mm_set1_ps(firstZ);
    if (AnyPasses(_mm_add_ps(z, dz0_), _mm_add_ps(z, dz1_), zspan, n)) return false;
    __m128 k = _mm_setr_ps(8, 9, 10, 11);
    for (int at = 8; at < n; at += 8) {
      const __m128 z0 = _mm_add_ps(z, _mm_mul_ps(k, dz_));
      const __m128 z1 = _mm_add_ps(z, _mm_mul_ps(_mm_add_ps(k, _mm_set1_ps(4)), dz_));
      if (at + 8 > room || AnyPasses(z0, z1, zspan + at, n - at)) return false;
      k = _mm_add_ps(k, _mm_set1_ps(8));
    }
    return true;
  }

  // A span of n <= 8 pixels with room for eight before the scissor's edge,
  // as Draw draws it: one group, with fewer tests on the way than Draw's
  // (most spans of small faces are such).
  void DrawGroup(std::uint8_t* span, float* zspan, int n, float firstZ, __m128i rgb) const {
    const __m128 z = _mm_set1_ps(firstZ);
    Colours colours(*this, rgb);
    Group<true>(span, zspan, _mm_add_ps(z, dz0_), _mm_add_ps(z, dz1_), n, colours);
  }

  // Pixels 0..n-1 of a span with the steps these lanes were made for, eight
  // at a time, and a last group of fewer where `room` pixels from the span's
  // start lie inside the scissor. Returns the pixel it got to; the scalar
  // loop does the rest.
  int Draw(std::uint8_t* span, float* zspan, int n, const SpanValues& v, int room) const {
    return Draw(span, zspan, n, v.z, _mm_setr_epi32(0, v.r, v.g, v.b), room);
  }
  // As above, with the span's first depth and, in lanes 1 to 3, its colours
  // (Gouraud): the row walk has them in lanes already.
  int Draw(std::uint8_t* span, float* zspan, int n, float firstZ, __m128i rgb, int room) const {
    if (n < 8 && room < 8) return 0;
    const __m128 z = _mm_set1_ps(firstZ);
    Colours colours(*this, rgb);
    // The first group's products k·dz are the triangle's; later groups take
    // theirs from the pixel numbers, each exact in a float.
    Group(span, zspan, _mm_add_ps(z, dz0_), _mm_add_ps(z, dz1_), n, colours);
    if (n <= 8) return n;
    __m128 k = _mm_setr_ps(8, 9, 10, 11);
    int at = 8;
    for (; at < n && at + 8 <= room; at += 8) {
      const __m128 z0 = _mm_add_ps(z, _mm_mul_ps(k, dz_));
      const __m128 z1 = _mm_add_ps(z, _mm_mul_ps(_mm_add_ps(k, _mm_set1_ps(4)), dz_));
      k = _mm_add_ps(k, _mm_set1_ps(8));
      colours.Step();
      Group(span + (Bpp / 8) * at, zspan + at, z0, z1, n - at, colours);
    }
    return at < n ? at : n;
  }

 private:
  // A group's colours; Step goes on to the next group. Lanes past the span's
  // end may leave 0..255 (their adds wrap): they are never written.
  class Colours {
   public:
    // The starts in lanes 1 to 3 of rgb.
    Colours(const OpaqueLanes& l, __m128i rgb) : l_(l) {
      if constexpr (!Gouraud) return;
      if constexpr (Bpp == 16) {
        const __m128i start[3] = {_mm_shuffle_epi32(rgb, 0x55), _mm_shuffle_epi32(rgb, 0xAA),
                                  _mm_shuffle_epi32(rgb, 0xFF)};
        for (int i = 0; i < 6; ++i) at_[i] = _mm_add_epi32(start[i / 2], l.lanes_[i]);
      } else {
        const __m128i bgr = _mm_shuffle_epi32(rgb, 0x1B);  // b g r, then what was lane 0
        for (int q = 0; q < 6; ++q) at_[q] = _mm_add_epi32(InByteOrder(bgr, q % 3), l.lanes_[q]);
      }
    }
    __m128i Next16() {
      if constexpr (!Gouraud) {
        return l_.lanes_[0];
      } else {
        return PackWords(Rgb565Lanes(at_[0], at_[2], at_[4]), Rgb565Lanes(at_[1], at_[3], at_[5]));
      }
    }
    // On to the next group of eight.
    void Step() {
      if constexpr (Gouraud)
        for (int i = 0; i < 6; ++i) at_[i] = _mm_add_epi32(at_[i], l_.by8_[Bpp == 16 ? i / 2 : i % 3]);
    }
    void Next24(__m128i& bytes01, __m128i& bytes2) {
      if constexpr (!Gouraud) {
        bytes01 = l_.flat01_;
        bytes2 = l_.flat2_;
      } else {
        Bytes24(at_, bytes01, bytes2);
      }
    }

   private:
    const OpaqueLanes& l_;
    __m128i at_[6];
  };

  // Eight pixels with depths z0 (pixels 0..3) and z1 (4..7), the first
  // `count` of them only (kMasked: count is at most eight, and the mask is
  // taken without asking). Pixels that fail, and those past the span, keep
  // their depth and colour: they are written back as they were.
  template <bool kMasked = false>
  static void Group(std::uint8_t* span, float* zspan, __m128 z0, __m128 z1, int count, Colours& colours) {
    const __m128 old0 = _mm_loadu_ps(zspan), old1 = _mm_loadu_ps(zspan + 4);
    __m128 pass0, pass1;
    Passes<kMasked>(z0, z1, old0, old1, count, pass0, pass1);
    const int passes = _mm_movemask_ps(pass0) | (_mm_movemask_ps(pass1) << 4);
    if (passes == 0) return;
    _mm_storeu_ps(zspan, _mm_or_ps(_mm_and_ps(pass0, z0), _mm_andnot_ps(pass0, old0)));
    _mm_storeu_ps(zspan + 4, _mm_or_ps(_mm_and_ps(pass1, z1), _mm_andnot_ps(pass1, old1)));
    if constexpr (Bpp == 16) {
      auto* p = reinterpret_cast<__m128i*>(span);
      const __m128i pass = _mm_packs_epi32(_mm_castps_si128(pass0), _mm_castps_si128(pass1));
      _mm_storeu_si128(p, Select(pass, colours.Next16(), _mm_loadu_si128(p)));
    } else {
      __m128i o01, o2;
      colours.Next24(o01, o2);
      StorePixels24(span, o01, o2, passes, Select);
    }
  }

  // Whether any of the first `count` of eight pixels with depths z0 (pixels
  // 0..3) and z1 (4..7) passes the depth test.
  static bool AnyPasses(__m128 z0, __m128 z1, const float* zspan, int count) {
    __m128 pass0, pass1;
    Passes(z0, z1, _mm_loadu_ps(zspan), _mm_loadu_ps(zspan + 4), count, pass0, pass1);
    return _mm_movemask_ps(_mm_or_ps(pass0, pass1)) != 0;
  }

  // The depth test of eight pixels with depths z0 and z1 over old0 and
  // old1, the first `count` of them only (kMasked: as Group's).
  template <bool kMasked = false>
  static void Passes(__m128 z0, __m128 z1, __m128 old0, __m128 old1, int count, __m128& pass0, __m128& pass1) {
    pass0 = _mm_cmpgt_ps(z0, old0);
    pass1 = _mm_cmpgt_ps(z1, old1);
    if (!kMasked && count >= 8) return;
    const auto* first = reinterpret_cast<const __m128*>(kFirstLanes.lanes[count]);
    pass0 = _mm_and_ps(pass0, first[0]);
    pass1 = _mm_and_ps(pass1, first[1]);
  }

  // Values for B, G, R in the byte order of quad p (mod 3) of a group:
  // B G R B, G R B G, R B G R.
  static __m128i InByteOrder(std::int32_t b, std::int32_t g, std::int32_t r, int p) {
    return InByteOrder(_mm_setr_epi32(b, g, r, 0), p);
  }
  // The same from B, G and R in lanes 0 to 2.
  static __m128i InByteOrder(__m128i bgr, int p) {
    return p == 0 ? _mm_shuffle_epi32(bgr, 0x24) : p == 1 ? _mm_shuffle_epi32(bgr, 0x49) : _mm_shuffle_epi32(bgr, 0x92);
  }

  // The 24 bytes of eight pixels from their six quads of 16.16 values.
  static void Bytes24(const __m128i (&q)[6], __m128i& bytes01, __m128i& bytes2) {
    const __m128i w0 = WholeParts(q[0], q[1]), w1 = WholeParts(q[2], q[3]), w2 = WholeParts(q[4], q[5]);
    bytes01 = _mm_packus_epi16(w0, w1);
    bytes2 = _mm_packus_epi16(w2, w2);
  }

  __m128 dz_, dz0_, dz1_;  // the depth step, and k·dz for k = 0..3 and 4..7
  // 16 bits: Gouraud, k·step of each channel for k = 0..3 and 4..7; flat,
  // the packed colour. 24 bits: the six quads of the bytes' k·step, or of
  // the flat bytes' values.
  __m128i lanes_[6] = {};
  __m128i by8_[3] = {};  // a group's step: per channel (16), per quad order (24)
  __m128i flat01_ = _mm_setzero_si128(), flat2_ = _mm_setzero_si128();
};

}  // namespace sse2
#endif

// The whole span; `vector` false draws it with the scalar loop (for tests).
template <int Bpp, bool Gouraud>
inline void OpaqueSpan(const Target& t, std::uint8_t* row, float* zrow, int xs, int xe, const SpanValues& v,
                       bool vector = true) {
  int done = 0;
#if defined(__SSE2__)
  if constexpr (Bpp != 8)
    if (vector) done = sse2::OpaqueLanes<Bpp, Gouraud>(v).Draw(row + (Bpp / 8) * xs, zrow + xs, xe - xs, v, t.x1 - xs);
#endif
#if defined(ZARN_HAVE_AVX2_SPANS)
  if constexpr (Bpp == 8)
    if (vector && avx2::Available()) done = avx2::Opaque8<Gouraud>(row + xs, zrow + xs, xe - xs, v, *t.lut);
#endif
  OpaqueSpanScalar<Bpp, Gouraud>(t, row, zrow, xs, xe - xs, v, done);
}

}  // namespace platform::rm::raster
