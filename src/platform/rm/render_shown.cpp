#include "platform/rm/render_shown.h"

namespace platform::rm {
namespace {

// Clockwise seen from the camera = facing it; NaN fails the test too.
inline bool FacesCamera(const PointsAt& camera, std::uint32_t i0, std::uint32_t i1, std::uint32_t i2) {
  const float ax = camera.x[i0], ay = camera.y[i0], az = camera.z[i0];
  const float ux = camera.x[i1] - ax, uy = camera.y[i1] - ay, uz = camera.z[i1] - az;
  const float vx = camera.x[i2] - ax, vy = camera.y[i2] - ay, vz = camera.z[i2] - az;
  const Vec3 nrm{uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
  return nrm.x * ax + nrm.y * ay + nrm.z * az < 0.0f;
}

#if defined(__SSE2__)
// FacesCamera for four triangles, one per lane, as a bit per lane.
int FacesCamera(const Lanes3& c0, const Lanes3& c1, const Lanes3& c2) {
  const __m128 ux = _mm_sub_ps(c1.x, c0.x), uy = _mm_sub_ps(c1.y, c0.y), uz = _mm_sub_ps(c1.z, c0.z);
  const __m128 vx = _mm_sub_ps(c2.x, c0.x), vy = _mm_sub_ps(c2.y, c0.y), vz = _mm_sub_ps(c2.z, c0.z);
  const __m128 nx = _mm_sub_ps(_mm_mul_ps(uy, vz), _mm_mul_ps(uz, vy));
  const __m128 ny = _mm_sub_ps(_mm_mul_ps(uz, vx), _mm_mul_ps(ux, vz));
  const __m128 nz = _mm_sub_ps(_mm_mul_ps(ux, vy), _mm_mul_ps(uy, vx));
  const __m128 d = _mm_add_ps(_mm_add_ps(_mm_mul_ps(nx, c0.x), _mm_mul_ps(ny, c0.y)), _mm_mul_ps(nz, c0.z));
  return _mm_movemask_ps(_mm_cmplt_ps(d, _mm_setzero_ps()));
}
#endif

}  // namespace

void CornerLights::Forget(std::size_t positions) {
  light.resize(positions);
  lightFor.assign(positions, 0);
  if (unlit.size() < positions) unlit.resize(positions);  // only grows, as the list of shown triangles
}

std::span<const std::uint32_t> FindShownTriangles(const Points3& cameraPoints, const std::uint8_t* outcode,
                                                  const MeshTriangle* triangles, std::size_t first, std::size_t end,
                                                  std::vector<std::uint32_t>& list) {
  // Through plain pointers: writing the list through the vector would make
  // the compiler read every vector's pointer again for each triangle.
  const PointsAt camera(cameraPoints);
  if (list.size() < end - first) list.resize(end - first);
  std::uint32_t* shown = list.data();
  std::size_t count = 0;
  auto keep = [&](std::size_t ti, bool faces) {
    const auto& v = triangles[ti].vertex;
    shown[count] = static_cast<std::uint32_t>(ti);
    count += faces && !(outcode[v[0]] & outcode[v[1]] & outcode[v[2]]);
  };
  std::size_t ti = first;
#if defined(__SSE2__)
  for (; ti + 4 <= end; ti += 4) {
    const MeshTriangle* t = &triangles[ti];
    auto corner = [&](int c) { return camera.Gather(t[0].vertex[c], t[1].vertex[c], t[2].vertex[c], t[3].vertex[c]); };
    const int faces = FacesCamera(corner(0), corner(1), corner(2));
    for (int j = 0; j < 4; ++j) keep(ti + j, faces >> j & 1);
  }
#endif
  for (; ti < end; ++ti) {
    const auto& v = triangles[ti].vertex;
    keep(ti, FacesCamera(camera, v[0], v[1], v[2]));
  }
  return {shown, count};
}

// Found four at a time, the lights cost a fraction of finding them one by
// one as the triangles come.
bool LightShownPositions(const RenderLights& lights, const Points3& cameraPoints, const Vec3* normal,
                         const MeshTriangle* triangles, std::span<const std::uint32_t> shown, CornerLights& cache) {
  std::uint32_t* lightFor = cache.lightFor.data();  // plain pointers, as in FindShownTriangles
  std::uint32_t* unlit = cache.unlit.data();
  std::size_t count = 0;
  bool oneNormalEach = true;
  for (std::uint32_t ti : shown) {
    for (int c = 0; c < 3; ++c) {
      const std::uint32_t vi = triangles[ti].vertex[c], normalFor = triangles[ti].normal[c] + 1;
      if (lightFor[vi]) {
        oneNormalEach &= lightFor[vi] == normalFor;
        continue;
      }
      lightFor[vi] = normalFor;
      unlit[count++] = vi;
    }
  }
  const PointsAt camera(cameraPoints);
  float* light = cache.light.data();
  auto normalOf = [&](std::uint32_t vi) -> const Vec3& { return normal[lightFor[vi] - 1]; };
  std::size_t k = 0;
#if defined(__SSE2__)
  for (; k + 4 <= count; k += 4) {
    const std::uint32_t* v = &unlit[k];
    const Lanes3 p = camera.Gather(v[0], v[1], v[2], v[3]);
    const Lanes3 n = Gather3(normalOf(v[0]), normalOf(v[1]), normalOf(v[2]), normalOf(v[3]));
    alignas(16) float four[4];
    _mm_store_ps(four, lights.At(p, n));
    for (int j = 0; j < 4; ++j) light[v[j]] = four[j];
  }
#endif
  for (; k < count; ++k) light[unlit[k]] = lights.At(camera[unlit[k]], normalOf(unlit[k]));
  return oneNormalEach;
}

void VertexLights(const RenderLights& lights, const Points3& camera, const Vec3* normals, const MeshTriangle& tri,
                  CornerLights& cache, float (&k)[3]) {
  for (int c = 0; c < 3; ++c) {
    const std::uint32_t vi = tri.vertex[c], ni = tri.normal[c];
    if (cache.lightFor[vi] != ni + 1) {
      cache.light[vi] = lights.At(camera[vi], normals[ni]);
      cache.lightFor[vi] = ni + 1;
    }
    k[c] = cache.light[vi];
  }
}

}  // namespace platform::rm
