#pragma once
// A polygon mesh as a file describes it, before triangulation: what the .x
// reader produces and what a mesh builder is built from.
#include <cstdint>
#include <vector>

#include "platform/rm/color.h"
#include "platform/rm/math.h"

namespace platform::rm {

struct MeshData {
  std::vector<Vec3> positions;
  // Polygons: faceSizes[f] indices into positions, one after another in
  // faceIndices.
  std::vector<std::uint32_t> faceSizes;
  std::vector<std::uint32_t> faceIndices;
  // Optional normals: when faceNormalIndices is not empty it has the same
  // layout as faceIndices and indexes normals.
  std::vector<Vec3> normals;
  std::vector<std::uint32_t> faceNormalIndices;
  // Optional: one colour per face (white when empty).
  std::vector<Color> faceColors;
  // Optional: one colour per position (empty when the file gives none).
  std::vector<Color> vertexColors;
};

}  // namespace platform::rm
