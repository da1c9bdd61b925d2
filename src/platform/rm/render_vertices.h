#pragma once
// The per-position half of drawing a mesh, done for every position before
// any triangle: camera-space positions, their outcodes and screen points, and
// camera-space unit normals. With SSE2 four at a time; each lane does the
// scalar operations in the scalar order, so the floats are the same bits
// either way (the rasterizer's pixels depend on every last bit).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/rm/lanes.h"
#include "platform/rm/math.h"
#include "platform/rm/render_clip.h"

namespace platform::rm {

// Points with each coordinate in an array of its own: four points' x (y, z)
// load and store at once, with no shuffling between lanes.
struct Points3 {
  std::vector<float> x, y, z;

  std::size_t size() const { return x.size(); }
  void resize(std::size_t n) {
    x.resize(n);
    y.resize(n);
    z.resize(n);
  }
  Vec3 operator[](std::size_t i) const { return {x[i], y[i], z[i]}; }
};

// Plain pointers to the arrays of a Points3: for all the compiler knows, a
// write through another pointer could move a vector, whose pointer it would
// then read again before every read.
struct PointsAt {
  explicit PointsAt(const Points3& p) : x(p.x.data()), y(p.y.data()), z(p.z.data()) {}
  Vec3 operator[](std::size_t i) const { return {x[i], y[i], z[i]}; }
#if defined(__SSE2__)
  Lanes3 Gather(std::uint32_t a, std::uint32_t b, std::uint32_t c, std::uint32_t d) const {
    return {_mm_setr_ps(x[a], x[b], x[c], x[d]), _mm_setr_ps(y[a], y[b], y[c], y[d]),
            _mm_setr_ps(z[a], z[b], z[c], z[d])};
  }
#endif
  const float *x, *y, *z;
};

// camera[i] = m.TransformPoint(positions[i]), outcode[i] its outcode and
// screen[i] its projection (x, y and 1/z), for first <= i < end; the
// projection is meaningful only where the outcode lacks clip::kFront. The
// arrays hold at least `end` points.
void TransformPositions(const Projection& pr, const Matrix& m, const Vec3* positions, std::size_t first,
                        std::size_t end, Points3& camera, std::uint8_t* outcode, Points3& screen);

// out[i] = Normalize(m.TransformVector(normals[i])).
void TransformNormals(const Matrix& m, const Vec3* normals, std::size_t n, Vec3* out);

}  // namespace platform::rm
