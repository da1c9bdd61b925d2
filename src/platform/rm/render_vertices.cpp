#include "platform/rm/render_vertices.h"

#include <cstring>

#include "platform/rm/lanes.h"

namespace platform::rm {
namespace {

void TransformPosition(const Projection& pr, const Matrix& m, const Vec3* positions, std::size_t i, Points3& camera,
                       std::uint8_t* outcode, Points3& screen) {
  const Vec3 p = m.TransformPoint(positions[i]);
  camera.x[i] = p.x;
  camera.y[i] = p.y;
  camera.z[i] = p.z;
  outcode[i] = pr.Outcode(p);
  if (outcode[i] & clip::kFront) return;
  const ScreenPoint s = pr.Project(p);
  screen.x[i] = s.x;
  screen.y[i] = s.y;
  screen.z[i] = s.invZ;
}

#if defined(__SSE2__)
void Store(Points3& points, std::size_t i, const Lanes3& v) {
  _mm_storeu_ps(&points.x[i], v.x);
  _mm_storeu_ps(&points.y[i], v.y);
  _mm_storeu_ps(&points.z[i], v.z);
}
#endif

#if defined(__SSE2__)

__m128 Bit(std::uint8_t bit, __m128 mask) { return _mm_and_ps(mask, _mm_castsi128_ps(_mm_set1_epi32(bit))); }

// Projection::Outcode and Projection::Project, lane by lane. The projection's
// values are copied into lanes once: read through the reference, they would
// be read again after every store.
struct ProjectionLanes {
  explicit ProjectionLanes(const Projection& pr)
      : scale(_mm_set1_ps(pr.scale)),
        front(_mm_set1_ps(pr.front)),
        back(_mm_set1_ps(pr.back)),
        left(_mm_set1_ps(pr.guardLeft)),
        right(_mm_set1_ps(pr.guardRight)),
        top(_mm_set1_ps(pr.guardTop)),
        bottom(_mm_set1_ps(pr.guardBottom)),
        cx(_mm_set1_ps(pr.cx)),
        cy(_mm_set1_ps(pr.cy)) {}

  // As four bytes.
  std::uint32_t Outcodes(const Lanes3& p) const {
    const __m128 sx = _mm_mul_ps(p.x, scale), sy = _mm_mul_ps(_mm_xor_ps(p.y, _mm_set1_ps(-0.0f)), scale);
    __m128 c = _mm_or_ps(Bit(clip::kFront, _mm_cmpnge_ps(p.z, front)), Bit(clip::kBack, _mm_cmpgt_ps(p.z, back)));
    c = _mm_or_ps(c, Bit(clip::kLeft, _mm_cmplt_ps(sx, _mm_mul_ps(left, p.z))));
    c = _mm_or_ps(c, Bit(clip::kRight, _mm_cmpgt_ps(sx, _mm_mul_ps(right, p.z))));
    c = _mm_or_ps(c, Bit(clip::kTop, _mm_cmplt_ps(sy, _mm_mul_ps(top, p.z))));
    c = _mm_or_ps(c, Bit(clip::kBottom, _mm_cmpgt_ps(sy, _mm_mul_ps(bottom, p.z))));
    const __m128i words = _mm_packs_epi32(_mm_castps_si128(c), _mm_castps_si128(c));
    return static_cast<std::uint32_t>(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
  }

  // Lanes behind the front plane give whatever the division gives; nothing
  // reads them.
  Lanes3 Project(const Lanes3& p) const {
    const __m128 iz = _mm_div_ps(_mm_set1_ps(1.0f), p.z);
    return {_mm_add_ps(cx, _mm_mul_ps(_mm_mul_ps(p.x, iz), scale)),
            _mm_sub_ps(cy, _mm_mul_ps(_mm_mul_ps(p.y, iz), scale)), iz};
  }

  __m128 scale, front, back, left, right, top, bottom, cx, cy;
};

#endif

}  // namespace

void TransformPositions(const Projection& pr, const Matrix& m, const Vec3* positions, std::size_t first,
                        std::size_t end, Points3& camera, std::uint8_t* outcode, Points3& screen) {
  std::size_t i = first;
#if defined(__SSE2__)
  const MatrixLanes lanes(m);
  const ProjectionLanes proj(pr);
  const __m128 ox = _mm_set1_ps(m.origin.x), oy = _mm_set1_ps(m.origin.y), oz = _mm_set1_ps(m.origin.z);
  for (; i + 4 <= end; i += 4) {
    const Lanes3 v = lanes.Vector(Load3(&positions[i].x));
    const Lanes3 p{_mm_add_ps(v.x, ox), _mm_add_ps(v.y, oy), _mm_add_ps(v.z, oz)};
    Store(camera, i, p);
    const std::uint32_t codes = proj.Outcodes(p);
    std::memcpy(&outcode[i], &codes, 4);
    Store(screen, i, proj.Project(p));
  }
#endif
  for (; i < end; ++i) TransformPosition(pr, m, positions, i, camera, outcode, screen);
}

void TransformNormals(const Matrix& m, const Vec3* normals, std::size_t n, Vec3* out) {
  std::size_t i = 0;
#if defined(__SSE2__)
  const MatrixLanes lanes(m);
  const __m128 zero = _mm_setzero_ps(), one = _mm_set1_ps(1.0f), inf = _mm_set1_ps(INFINITY);
  for (; i + 4 <= n; i += 4) {
    const Lanes3 v = lanes.Vector(Load3(&normals[i].x));
    const __m128 d = _mm_add_ps(_mm_add_ps(_mm_mul_ps(v.x, v.x), _mm_mul_ps(v.y, v.y)), _mm_mul_ps(v.z, v.z));
    const __m128 len = _mm_sqrt_ps(d);
    // Normalize's (positive) zero for a zero or non-finite length.
    const __m128 usable = _mm_and_ps(_mm_cmpgt_ps(len, zero), _mm_cmplt_ps(len, inf));
    const __m128 inv = _mm_div_ps(one, len);
    Store3(&out[i].x, {_mm_and_ps(usable, _mm_mul_ps(v.x, inv)), _mm_and_ps(usable, _mm_mul_ps(v.y, inv)),
                       _mm_and_ps(usable, _mm_mul_ps(v.z, inv))});
  }
#endif
  for (; i < n; ++i) out[i] = Normalize(m.TransformVector(normals[i]));
}

}  // namespace platform::rm
