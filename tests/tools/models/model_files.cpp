#include "model_files.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "platform/rm/xfile_reader.h"

namespace model_test {

using platform::rm::Cross;
using platform::rm::Dot;

void Box3::Add(Vec3 p) {
  min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
  max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

const Model& LoadModel(const std::string& name) {
  static std::map<std::string, Model> cache;
  auto it = cache.find(name);
  if (it != cache.end()) return it->second;
  Model model;
  model.name = name;
  const std::string path = std::string(ZARN_RUN_DIR) + "/" + name + ".x";
  const auto result = platform::rm::ReadXMeshFile(path, &model.data);
  EXPECT_EQ(result, platform::kOk) << path;
  model.tris = TrianglesOf(model.data);
  model.bounds = BoundsOf(model.tris);
  return cache.emplace(name, std::move(model)).first->second;
}

std::vector<Tri> TrianglesOf(const platform::rm::MeshData& data) {
  std::vector<Tri> tris;
  std::size_t at = 0;
  for (std::uint32_t size : data.faceSizes) {
    for (std::uint32_t k = 1; k + 1 < size; ++k)
      tris.push_back({data.positions[data.faceIndices[at]], data.positions[data.faceIndices[at + k]],
                      data.positions[data.faceIndices[at + k + 1]]});
    at += size;
  }
  return tris;
}

Box3 BoundsOf(const std::vector<Tri>& tris) {
  Box3 b;
  for (const Tri& t : tris)
    for (const Vec3& p : t) b.Add(p);
  return b;
}

bool SegmentHitsTriangle(Vec3 a, Vec3 b, const Tri& t) {
  // Moller-Trumbore in double precision, both faces, closed at the ends.
  const double dx = b.x - a.x, dy = b.y - a.y, dz = b.z - a.z;
  const double e1x = t[1].x - t[0].x, e1y = t[1].y - t[0].y, e1z = t[1].z - t[0].z;
  const double e2x = t[2].x - t[0].x, e2y = t[2].y - t[0].y, e2z = t[2].z - t[0].z;
  const double px = dy * e2z - dz * e2y, py = dz * e2x - dx * e2z, pz = dx * e2y - dy * e2x;
  const double det = e1x * px + e1y * py + e1z * pz;
  if (std::fabs(det) < 1e-12) return false;
  const double inv = 1.0 / det;
  const double sx = a.x - t[0].x, sy = a.y - t[0].y, sz = a.z - t[0].z;
  const double u = (sx * px + sy * py + sz * pz) * inv;
  if (u < 0 || u > 1) return false;
  const double qx = sy * e1z - sz * e1y, qy = sz * e1x - sx * e1z, qz = sx * e1y - sy * e1x;
  const double v = (dx * qx + dy * qy + dz * qz) * inv;
  if (v < 0 || u + v > 1) return false;
  const double s = (e2x * qx + e2y * qy + e2z * qz) * inv;
  return s >= 0 && s <= 1;
}

bool SegmentHitsAny(Vec3 a, Vec3 b, const std::vector<Tri>& tris, const Box3& box) {
  if (std::max(a.x, b.x) < box.min.x || std::min(a.x, b.x) > box.max.x || std::max(a.y, b.y) < box.min.y ||
      std::min(a.y, b.y) > box.max.y || std::max(a.z, b.z) < box.min.z || std::min(a.z, b.z) > box.max.z)
    return false;
  for (const Tri& t : tris)
    if (SegmentHitsTriangle(a, b, t)) return true;
  return false;
}

std::vector<float> HeightsAt(const std::vector<Tri>& tris, float x, float z) {
  std::vector<float> heights;
  for (const Tri& t : tris) {
    // Barycentric coordinates of (x, z) in the triangle's plan view.
    const double x0 = t[0].x, z0 = t[0].z, x1 = t[1].x, z1 = t[1].z, x2 = t[2].x, z2 = t[2].z;
    const double det = (x1 - x0) * (z2 - z0) - (x2 - x0) * (z1 - z0);
    if (std::fabs(det) < 1e-9) continue;
    const double u = ((x - x0) * (z2 - z0) - (x2 - x0) * (z - z0)) / det;
    const double v = ((x1 - x0) * (z - z0) - (x - x0) * (z1 - z0)) / det;
    if (u < 0 || v < 0 || u + v > 1) continue;
    heights.push_back(static_cast<float>(t[0].y + u * (t[1].y - t[0].y) + v * (t[2].y - t[0].y)));
  }
  return heights;
}

double SignedVolume6(const std::vector<Tri>& tris) {
  double sum = 0;
  for (const Tri& t : tris) sum += Dot(t[0], Cross(t[1], t[2]));
  return sum;
}

}  // namespace model_test
