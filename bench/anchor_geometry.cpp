#include "anchor_geometry.h"

#include <cstdint>
#include <utility>

namespace bench::anchor {
namespace {

using platform::rm::Color;
using platform::rm::Vec3;

// A quad with the given outward normal, wound clockwise seen from outside.
void AddQuad(platform::rm::MeshData& m, Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 normal, Color color) {
  auto base = static_cast<std::uint32_t>(m.positions.size());
  if (platform::rm::Dot(platform::rm::Cross(b - a, c - a), normal) < 0) std::swap(b, d);
  for (Vec3 p : {a, b, c, d}) m.positions.push_back(p);
  auto n = static_cast<std::uint32_t>(m.normals.size());
  m.normals.push_back(normal);
  // Two triangles per quad, so the triangle count does not depend on how
  // the builder splits polygons.
  for (std::uint32_t k : {0u, 1u, 2u, 0u, 2u, 3u}) {
    m.faceIndices.push_back(base + k);
    m.faceNormalIndices.push_back(n);
  }
  m.faceSizes.push_back(3);
  m.faceSizes.push_back(3);
  m.faceColors.push_back(color);
  m.faceColors.push_back(color);
}

void AddBox(platform::rm::MeshData& m, Vec3 c, Vec3 h, Color color) {
  auto P = [&](float sx, float sy, float sz) { return Vec3{c.x + sx * h.x, c.y + sy * h.y, c.z + sz * h.z}; };
  AddQuad(m, P(-1, 1, -1), P(-1, 1, 1), P(1, 1, 1), P(1, 1, -1), {0, 1, 0}, color);
  AddQuad(m, P(-1, -1, -1), P(1, -1, -1), P(1, -1, 1), P(-1, -1, 1), {0, -1, 0}, color);
  AddQuad(m, P(-1, -1, -1), P(-1, 1, -1), P(1, 1, -1), P(1, -1, -1), {0, 0, -1}, color);
  AddQuad(m, P(-1, -1, 1), P(1, -1, 1), P(1, 1, 1), P(-1, 1, 1), {0, 0, 1}, color);
  AddQuad(m, P(-1, -1, -1), P(-1, -1, 1), P(-1, 1, 1), P(-1, 1, -1), {-1, 0, 0}, color);
  AddQuad(m, P(1, -1, -1), P(1, 1, -1), P(1, 1, 1), P(1, -1, 1), {1, 0, 0}, color);
}

}  // namespace

platform::rm::MeshData Mesh(bool translucent) {
  platform::rm::MeshData m;
  const Color opaque{1.0f, 0.8f, 0.2f, 1.0f};
  AddQuad(m, {-60, 0, -10}, {-60, 0, 100}, {60, 0, 100}, {60, 0, -10}, {0, 1, 0}, opaque);
  for (int i = 0; i < 800; ++i) {
    Vec3 centre{-50.0f + static_cast<float>(i % 40) * 2.5f, 1.5f + static_cast<float>((7 * i) % 5),
                static_cast<float>(i / 40) * 4.5f};
    Vec3 half{1.0f, 1.5f + static_cast<float>((3 * i) % 4) * 0.5f, 1.0f};
    Color c = opaque;
    if (translucent && i % 10 == 0) c.a = 0.5f;
    AddBox(m, centre, half, c);
  }
  return m;
}

}  // namespace bench::anchor
