#include "mesh.h"

#include <cmath>
#include <utility>

namespace models {

using platform::rm::Cross;
using platform::rm::Dot;
using platform::rm::Length;
using platform::rm::Normalize;

void Mesh::AddTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 outward, const Rgba& colour) {
  Vec3 n = Normalize(Cross(b - a, c - a));
  if (Dot(n, outward) < 0) n = -n;
  AddTriangle(a, b, c, outward, colour, n, n, n);
}

void Mesh::AddTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 outward, const Rgba& colour, Vec3 na, Vec3 nb, Vec3 nc) {
  const Vec3 cross = Cross(b - a, c - a);
  if (Length(cross) < 1e-7f) return;
  // Clockwise seen from the front: the plain cross product of the edges
  // then points toward the viewer.
  if (Dot(cross, outward) < 0) {
    std::swap(b, c);
    std::swap(nb, nc);
  }
  Triangle t{};
  t.position[0] = PositionIndex(a + offset_);
  t.position[1] = PositionIndex(b + offset_);
  t.position[2] = PositionIndex(c + offset_);
  if (t.position[0] == t.position[1] || t.position[1] == t.position[2] || t.position[0] == t.position[2]) return;
  t.normal[0] = Normalize(na);
  t.normal[1] = Normalize(nb);
  t.normal[2] = Normalize(nc);
  t.colour = ColourIndex(colour);
  triangles_.push_back(t);
}

void Mesh::AddQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward, const Rgba& colour) {
  AddTriangle(a, b, c, outward, colour);
  AddTriangle(a, c, d, outward, colour);
}

void Mesh::AddQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward, const Rgba& colour, Vec3 na, Vec3 nb, Vec3 nc,
                   Vec3 nd) {
  AddTriangle(a, b, c, outward, colour, na, nb, nc);
  AddTriangle(a, c, d, outward, colour, na, nc, nd);
}

std::uint32_t Mesh::PositionIndex(Vec3 p) {
  // Round away float noise so that shared corners of primitives meet.
  auto snap = [](float v) { return static_cast<float>(std::lround(v * 10000.0f)) / 10000.0f; };
  p = {snap(p.x), snap(p.y), snap(p.z)};
  if (p.x == 0) p.x = 0;  // no negative zero in the files
  if (p.y == 0) p.y = 0;
  if (p.z == 0) p.z = 0;
  auto key = std::make_tuple(p.x, p.y, p.z);
  auto it = positionIndex_.find(key);
  if (it != positionIndex_.end()) return it->second;
  positions_.push_back(p);
  const auto index = static_cast<std::uint32_t>(positions_.size() - 1);
  positionIndex_.emplace(key, index);
  return index;
}

std::uint32_t Mesh::ColourIndex(const Rgba& c) {
  for (std::size_t i = 0; i < colours_.size(); ++i)
    if (colours_[i] == c) return static_cast<std::uint32_t>(i);
  colours_.push_back(c);
  return static_cast<std::uint32_t>(colours_.size() - 1);
}

}  // namespace models
