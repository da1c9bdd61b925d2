#pragma once
// The built model files as the game's reader sees them: triangles in model
// coordinates, plus the geometry the model tests need.
#include <array>
#include <string>
#include <vector>

#include "platform/rm/math.h"
#include "platform/rm/mesh_data.h"

namespace model_test {

using platform::rm::Matrix;
using platform::rm::Vec3;

using Tri = std::array<Vec3, 3>;

struct Box3 {
  Vec3 min{1e30f, 1e30f, 1e30f}, max{-1e30f, -1e30f, -1e30f};
  void Add(Vec3 p);
};

struct Model {
  std::string name;
  platform::rm::MeshData data;
  std::vector<Tri> tris;  // the fans of every face, in the file's winding
  Box3 bounds;
};

// Loads NAME.x from the run folder; fails the calling test when it cannot.
const Model& LoadModel(const std::string& name);

// The fans of every face of `data`, in its winding.
std::vector<Tri> TrianglesOf(const platform::rm::MeshData& data);
Box3 BoundsOf(const std::vector<Tri>& tris);

// True when the closed segment a-b meets the triangle (either face).
bool SegmentHitsTriangle(Vec3 a, Vec3 b, const Tri& t);
bool SegmentHitsAny(Vec3 a, Vec3 b, const std::vector<Tri>& tris, const Box3& bounds);

// Points where the vertical line through (x, z) meets the triangles' planes
// inside them: the heights of the surfaces above and below that point.
std::vector<float> HeightsAt(const std::vector<Tri>& tris, float x, float z);

// Six times the enclosed volume; positive when the faces run clockwise seen
// from outside (the front side of a left-handed mesh).
double SignedVolume6(const std::vector<Tri>& tris);

}  // namespace model_test
