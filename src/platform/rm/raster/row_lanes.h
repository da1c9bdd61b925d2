#pragma once
// The row walk's values four at a time: lanes 0 and 1 hold the left and
// right edge's x, or lanes 0 to 3 the depth and the three colours. Each lane
// does the scalar operation, so the sums are the scalar ones bit for bit.
// Without SSE2 the same in plain floats.
#include <algorithm>
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace platform::rm::raster {

// ceil(x - 0.5): the first pixel whose centre is at or right of x. For the
// bounded coordinates here; avoids a library call where ceil is not an
// instruction.
inline int FirstCentre(float x) {
  float s = x - 0.5f;
  int i = static_cast<int>(s);
  return i + (static_cast<float>(i) < s);
}

// Always inlined, as WillWrite (target.h).
[[gnu::always_inline]] inline std::int32_t ToFixed(float c) {
  c = std::clamp(c, 0.0f, 255.0f);
  return static_cast<std::int32_t>(c * 65536.0f);
}

#if defined(__SSE2__)
using Quad = __m128;
inline Quad QuadOf(float a, float b, float c, float d) { return _mm_setr_ps(a, b, c, d); }
inline Quad Add(Quad a, Quad b) { return _mm_add_ps(a, b); }
inline Quad Mul(Quad a, float s) { return _mm_mul_ps(a, _mm_set1_ps(s)); }
inline Quad Mul(Quad a, Quad b) { return _mm_mul_ps(a, b); }
inline float Lane0(Quad q) { return _mm_cvtss_f32(q); }
inline float Lane1(Quad q) { return _mm_cvtss_f32(_mm_shuffle_ps(q, q, 0x55)); }
inline float Lane2(Quad q) { return _mm_cvtss_f32(_mm_shuffle_ps(q, q, 0xAA)); }
inline float Lane3(Quad q) { return _mm_cvtss_f32(_mm_shuffle_ps(q, q, 0xFF)); }

// FirstCentre of lanes 0 and 1 (a true compare is -1, so it is subtracted).
inline void FirstCentres(Quad x, int& left, int& right) {
  const __m128 s = _mm_sub_ps(x, _mm_set1_ps(0.5f));
  const __m128i i = _mm_cvttps_epi32(s);
  const __m128i c = _mm_sub_epi32(i, _mm_castps_si128(_mm_cmplt_ps(_mm_cvtepi32_ps(i), s)));
  left = _mm_cvtsi128_si32(c);
  right = _mm_cvtsi128_si32(_mm_shuffle_epi32(c, 0x55));
}

// ToFixed of lanes 1 to 3. The operands' order keeps std::clamp's NaN (max
// and min return their second operand when either is NaN), which converts
// as the scalar conversion does.
inline __m128i FixedColours(Quad c) {
  const __m128 clamped = _mm_min_ps(_mm_set1_ps(255.0f), _mm_max_ps(_mm_setzero_ps(), c));
  return _mm_cvttps_epi32(_mm_mul_ps(clamped, _mm_set1_ps(65536.0f)));
}
inline void ToFixedColours(Quad c, std::int32_t& r, std::int32_t& g, std::int32_t& b) {
  const __m128i f = FixedColours(c);
  r = _mm_cvtsi128_si32(_mm_shuffle_epi32(f, 0x55));
  g = _mm_cvtsi128_si32(_mm_shuffle_epi32(f, 0xAA));
  b = _mm_cvtsi128_si32(_mm_shuffle_epi32(f, 0xFF));
}

// Whether a Gouraud span of n pixels from the colours in lanes 1 to 3 (as
// FixedColours makes them) keeps each channel's end in 0..255 with the
// triangle's steps, the common case. In doubles: the starts, the steps and
// n - 1 are exact there, and so is start + step·(n - 1) while it stays
// below 2^53; beyond that it is far outside the range whatever its
// rounding. So the answer is the exact integer one, with the colours left
// in their lanes.
class StepRange {
 public:
  StepRange(std::int32_t dr, std::int32_t dg, std::int32_t db) : rg_(_mm_setr_pd(dr, dg)), b_(_mm_setr_pd(db, 0)) {}
  bool Keeps(__m128i rgb, int n) const {
    const __m128d m = _mm_set1_pd(n - 1);
    const __m128d endRg = _mm_add_pd(_mm_cvtepi32_pd(_mm_srli_si128(rgb, 4)), _mm_mul_pd(rg_, m));
    const __m128d endB = _mm_add_pd(_mm_cvtepi32_pd(_mm_srli_si128(rgb, 12)), _mm_mul_pd(b_, m));
    const __m128d zero = _mm_setzero_pd(), top = _mm_set1_pd(255 << 16);
    const __m128d in = _mm_and_pd(_mm_and_pd(_mm_cmpge_pd(endRg, zero), _mm_cmple_pd(endRg, top)),
                                  _mm_and_pd(_mm_cmpge_pd(endB, zero), _mm_cmple_pd(endB, top)));
    return _mm_movemask_pd(in) == 3;
  }

 private:
  __m128d rg_, b_;
};

#if defined(__x86_64__) && defined(__GNUC__)
namespace avx2 {
// RowEnds for the walks compiled for AVX2, all in lanes until the ends are
// taken out: ceil(x - 0.5) is one rounding there (the same integer for the
// bounded coordinates here), the scissor two integer compares, and the
// centre's offset the same float sums from the same integer.
class RowEnds {
 public:
  [[gnu::target("avx2")]] RowEnds(int left, int right, float x0)
      : low_(_mm_setr_epi32(left, INT32_MIN, 0, 0)),
        high_(_mm_setr_epi32(INT32_MAX, right, 0, 0)),
        x0_(_mm_set1_ps(x0)) {}
  [[gnu::target("avx2")]] Quad operator()(Quad edges, int& xs, int& xe) const {
    const __m128i c = _mm_cvtps_epi32(_mm_ceil_ps(_mm_sub_ps(edges, _mm_set1_ps(0.5f))));
    const __m128i clipped = _mm_min_epi32(_mm_max_epi32(c, low_), high_);
    xs = _mm_cvtsi128_si32(clipped);
    xe = _mm_extract_epi32(clipped, 1);
    const __m128 fx = _mm_sub_ps(_mm_add_ps(_mm_cvtepi32_ps(clipped), _mm_set1_ps(0.5f)), x0_);
    return _mm_shuffle_ps(fx, fx, 0);
  }

 private:
  __m128i low_, high_;  // the scissor's left in lane 0, its right in lane 1
  __m128 x0_;
};

// StepRange for the row walks compiled for AVX2, in 64-bit integer lanes:
// the products and sums are exact there, so this too is the integer check.
class StepRange {
 public:
  [[gnu::target("avx2")]] StepRange(std::int32_t dr, std::int32_t dg, std::int32_t db)
      : steps_(_mm256_setr_epi64x(dr, dg, db, 0)) {}
  [[gnu::target("avx2")]] bool Keeps(__m128i rgb, int n) const {
    const __m256i start = _mm256_cvtepi32_epi64(_mm_srli_si128(rgb, 4));  // r, g, b and 0
    const __m256i end = _mm256_add_epi64(start, _mm256_mul_epi32(steps_, _mm256_set1_epi64x(n - 1)));
    const __m256i out = _mm256_or_si256(_mm256_cmpgt_epi64(_mm256_setzero_si256(), end),
                                        _mm256_cmpgt_epi64(end, _mm256_set1_epi64x(255 << 16)));
    return _mm256_testz_si256(out, out) != 0;
  }

 private:
  __m256i steps_;
};
}  // namespace avx2
#endif
#else
struct Quad {
  float v[4];
};
inline Quad QuadOf(float a, float b, float c, float d) { return {{a, b, c, d}}; }
inline Quad Add(Quad a, Quad b) { return {{a.v[0] + b.v[0], a.v[1] + b.v[1], a.v[2] + b.v[2], a.v[3] + b.v[3]}}; }
inline Quad Mul(Quad a, float s) { return {{a.v[0] * s, a.v[1] * s, a.v[2] * s, a.v[3] * s}}; }
inline Quad Mul(Quad a, Quad b) { return {{a.v[0] * b.v[0], a.v[1] * b.v[1], a.v[2] * b.v[2], a.v[3] * b.v[3]}}; }
inline float Lane0(Quad q) { return q.v[0]; }
inline float Lane1(Quad q) { return q.v[1]; }
inline float Lane2(Quad q) { return q.v[2]; }
inline float Lane3(Quad q) { return q.v[3]; }
inline void FirstCentres(Quad x, int& left, int& right) {
  left = FirstCentre(x.v[0]);
  right = FirstCentre(x.v[1]);
}
inline void ToFixedColours(Quad c, std::int32_t& r, std::int32_t& g, std::int32_t& b) {
  r = ToFixed(c.v[1]);
  g = ToFixed(c.v[2]);
  b = ToFixed(c.v[3]);
}
#endif

// A row's first pixel and end within the scissor's columns [left, right),
// from its edges in lanes 0 and 1, and in every lane that pixel's centre
// less x0, the offset its values are found at.
class RowEnds {
 public:
  RowEnds(int left, int right, float x0) : left_(left), right_(right), x0_(x0) {}
  Quad operator()(Quad edges, int& xs, int& xe) const {
    FirstCentres(edges, xs, xe);
    xs = std::max(left_, xs);
    xe = std::min(right_, xe);
    const float fx = static_cast<float>(xs) + 0.5f - x0_;
    return QuadOf(fx, fx, fx, fx);
  }

 private:
  int left_, right_;
  float x0_;
};

}  // namespace platform::rm::raster
