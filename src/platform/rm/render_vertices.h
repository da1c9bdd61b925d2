#pragma once
// The per-position half of drawing a mesh, done for every position before
// any triangle: camera-space positions, their outcodes and screen points, and
// camera-space unit normals. With SSE2 four at a time; each lane does the
// scalar operations in the scalar order, so the floats are the same bits
// either way (the rasterizer's pixels depend on every last bit).
#include <cstddef>
#include <cstdint>
#include <vector>

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

// camera[i] = m.TransformPoint(positions[i]), outcode[i] its outcode and
// screen[i] its projection (x, y and 1/z), for i < n; the projection is
// meaningful only where the outcode lacks clip::kFront.
void TransformPositions(const Projection& pr, const Matrix& m, const Vec3* positions, std::size_t n, Points3& camera,
                        std::uint8_t* outcode, Points3& screen);

// out[i] = Normalize(m.TransformVector(normals[i])).
void TransformNormals(const Matrix& m, const Vec3* normals, std::size_t n, Vec3* out);

}  // namespace platform::rm
