#pragma once
// Four points at once, one per SSE2 lane, for the vertex work of a mesh.
// Every helper does in each lane what the scalar code in math.h does, in the
// same order, so that a lane's floats are the scalar ones to the bit.
#if defined(__SSE2__)
#include <emmintrin.h>

#include "platform/rm/math.h"

namespace platform::rm {

static_assert(sizeof(Vec3) == 3 * sizeof(float), "four of them are read and written as twelve floats");

// Four points, one per lane: the lanes of x, y and z.
struct Lanes3 {
  __m128 x, y, z;
};

template <int a, int b, int c, int d>
inline __m128 Take(__m128 lo, __m128 hi) {  // lo[a], lo[b], hi[c], hi[d]
  return _mm_shuffle_ps(lo, hi, _MM_SHUFFLE(d, c, b, a));
}

// Twelve floats x0 y0 z0 x1 | y1 z1 x2 y2 | z2 x3 y3 z3 to lanes.
inline Lanes3 Load3(const float* f) {
  const __m128 a = _mm_loadu_ps(f), b = _mm_loadu_ps(f + 4), c = _mm_loadu_ps(f + 8);
  const __m128 b2c1 = Take<2, 2, 1, 1>(b, c), a1b0 = Take<1, 1, 0, 0>(a, b);
  const __m128 b3c2 = Take<3, 3, 2, 2>(b, c), a2b1 = Take<2, 2, 1, 1>(a, b);
  return {Take<0, 3, 0, 2>(a, b2c1), Take<0, 2, 0, 2>(a1b0, b3c2), Take<0, 2, 0, 3>(a2b1, c)};
}

// The inverse of Load3.
inline void Store3(float* f, const Lanes3& v) {
  const __m128 xy01 = _mm_unpacklo_ps(v.x, v.y), xy23 = _mm_unpackhi_ps(v.x, v.y);
  const __m128 z0x1 = Take<0, 0, 2, 2>(v.z, xy01), y1z1 = Take<3, 3, 1, 1>(xy01, v.z);
  const __m128 z2x3 = Take<2, 2, 2, 2>(v.z, xy23), y3z3 = Take<3, 3, 3, 3>(xy23, v.z);
  _mm_storeu_ps(f, Take<0, 1, 0, 2>(xy01, z0x1));
  _mm_storeu_ps(f + 4, Take<0, 2, 0, 1>(y1z1, xy23));
  _mm_storeu_ps(f + 8, Take<0, 2, 0, 2>(z2x3, y3z3));
}

// Matrix::TransformVector's sums, lane by lane: (x * v.x + y * v.y) + z * v.z.
struct MatrixLanes {
  explicit MatrixLanes(const Matrix& m)
      : xx(_mm_set1_ps(m.x.x)),
        xy(_mm_set1_ps(m.x.y)),
        xz(_mm_set1_ps(m.x.z)),
        yx(_mm_set1_ps(m.y.x)),
        yy(_mm_set1_ps(m.y.y)),
        yz(_mm_set1_ps(m.y.z)),
        zx(_mm_set1_ps(m.z.x)),
        zy(_mm_set1_ps(m.z.y)),
        zz(_mm_set1_ps(m.z.z)) {}

  Lanes3 Vector(const Lanes3& v) const {
    return {_mm_add_ps(_mm_add_ps(_mm_mul_ps(xx, v.x), _mm_mul_ps(yx, v.y)), _mm_mul_ps(zx, v.z)),
            _mm_add_ps(_mm_add_ps(_mm_mul_ps(xy, v.x), _mm_mul_ps(yy, v.y)), _mm_mul_ps(zy, v.z)),
            _mm_add_ps(_mm_add_ps(_mm_mul_ps(xz, v.x), _mm_mul_ps(yz, v.y)), _mm_mul_ps(zz, v.z))};
  }

  __m128 xx, xy, xz, yx, yy, yz, zx, zy, zz;
};

// Four Vec3 from anywhere, without reading past any of them.
inline Lanes3 Gather3(const Vec3& a, const Vec3& b, const Vec3& c, const Vec3& d) {
  auto load = [](const Vec3& v) {  // x y z 0
    return _mm_movelh_ps(_mm_loadl_pi(_mm_setzero_ps(), reinterpret_cast<const __m64*>(&v.x)), _mm_load_ss(&v.z));
  };
  const __m128 va = load(a), vb = load(b), vc = load(c), vd = load(d);
  const __m128 xy01 = _mm_unpacklo_ps(va, vb), xy23 = _mm_unpacklo_ps(vc, vd);
  const __m128 z01 = _mm_unpackhi_ps(va, vb), z23 = _mm_unpackhi_ps(vc, vd);
  return {_mm_movelh_ps(xy01, xy23), _mm_movehl_ps(xy23, xy01), _mm_movelh_ps(z01, z23)};
}

}  // namespace platform::rm

#endif
