#pragma once
// A model as the generator builds it: triangles with one colour each and a
// normal per corner, oriented so that their front faces look outward.
#include <cstdint>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "platform/rm/math.h"

namespace models {

using platform::rm::Vec3;

struct Rgba {
  float r = 1, g = 1, b = 1, a = 1;
  friend bool operator==(const Rgba&, const Rgba&) = default;
};

struct Triangle {
  std::uint32_t position[3];
  Vec3 normal[3];
  std::uint32_t colour;  // index into Mesh::Colours()
};

class Mesh {
 public:
  // Adds triangle (a, b, c), turned if need be so that it runs clockwise
  // seen from the side `outward` points to (the front side in a left-handed
  // system). Without corner normals the face normal is used at every
  // corner. Triangles without area are dropped.
  void AddTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 outward, const Rgba& colour);
  void AddTriangle(Vec3 a, Vec3 b, Vec3 c, Vec3 outward, const Rgba& colour, Vec3 na, Vec3 nb, Vec3 nc);
  // A planar quad a-b-c-d (in order around it) as two triangles.
  void AddQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward, const Rgba& colour);
  void AddQuad(Vec3 a, Vec3 b, Vec3 c, Vec3 d, Vec3 outward, const Rgba& colour, Vec3 na, Vec3 nb, Vec3 nc, Vec3 nd);

  // Moves everything added from now on by `offset`.
  void SetOffset(Vec3 offset) { offset_ = offset; }

  const std::vector<Vec3>& Positions() const { return positions_; }
  const std::vector<Triangle>& Triangles() const { return triangles_; }
  const std::vector<Rgba>& Colours() const { return colours_; }

 private:
  std::uint32_t PositionIndex(Vec3 p);
  std::uint32_t ColourIndex(const Rgba& c);

  Vec3 offset_{};
  std::vector<Vec3> positions_;
  std::map<std::tuple<float, float, float>, std::uint32_t> positionIndex_;
  std::vector<Triangle> triangles_;
  std::vector<Rgba> colours_;
};

}  // namespace models
