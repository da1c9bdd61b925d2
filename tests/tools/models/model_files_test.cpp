// Every model file loads through the game's reader and faces outward.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "model_files.h"

namespace model_test {
namespace {

using platform::rm::Cross;
using platform::rm::Dot;

const std::vector<std::string> kAllModels = {
    "base", "body", "arm1", "arm2",  "shbl", "tireL", "tireR",   "ci",      "ci2",     "cb",     "cr",
    "cf",   "mi",   "mi2",  "mb",    "mr",   "mf",    "sbd",     "sbm",     "sbu",     "si",     "si2",
    "sf",   "cup",  "in",   "glass", "gc",   "car-c", "car-m",   "car-s",   "dish",    "cake",   "cake2",
    "spn",  "t1",   "t2",   "t3",    "t4",   "t5",    "table-A", "table-B", "table-C", "table-D"};

// Surfaces that are deliberately open: the pot contents are a lid of liquid
// with a skirt, the drinks a disc on a cone.
bool IsOpenSurface(const std::string& name) {
  for (const char* open : {"ci", "ci2", "mi", "mi2", "si", "si2"})
    if (name == open) return true;
  return false;
}

TEST(ModelFiles, AllLoadAsColouredTrianglesFacingOutward) {
  ASSERT_EQ(kAllModels.size(), 43u);
  for (const std::string& name : kAllModels) {
    SCOPED_TRACE(name);
    const Model& m = LoadModel(name);
    ASSERT_FALSE(m.data.faceSizes.empty());
    for (std::uint32_t size : m.data.faceSizes) ASSERT_EQ(size, 3u);
    EXPECT_EQ(m.tris.size(), m.data.faceSizes.size());
    EXPECT_EQ(m.data.faceColors.size(), m.data.faceSizes.size());
    ASSERT_EQ(m.data.faceNormalIndices.size(), m.data.faceIndices.size());
    // Each corner's normal leans the way the clockwise winding faces.
    int against = 0;
    for (std::size_t f = 0; f < m.tris.size(); ++f) {
      const Tri& t = m.tris[f];
      const Vec3 face = Cross(t[1] - t[0], t[2] - t[0]);
      for (int k = 0; k < 3; ++k)
        if (Dot(face, m.data.normals[m.data.faceNormalIndices[3 * f + k]]) <= 0) ++against;
    }
    EXPECT_EQ(against, 0);
    // Clockwise seen from outside gives a positive enclosed volume; a model
    // turned inside out, or half of it, would not.
    if (!IsOpenSurface(name)) {
      EXPECT_GT(SignedVolume6(m.tris), 0.0) << "inside out";
    }
  }
}

}  // namespace
}  // namespace model_test
