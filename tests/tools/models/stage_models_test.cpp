// The pots the bucket dips into, measured in their model files. Vessels,
// tyres and loads show in the golden pictures and in the in-game tests;
// where the tables end, the excavator falls (Play in the end-to-end tests).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "model_files.h"

namespace model_test {
namespace {

float MaxY(const Model& m) { return m.bounds.max.y; }

bool SameMesh(const Model& a, const Model& b) {
  return a.data.positions == b.data.positions && a.data.faceIndices == b.data.faceIndices;
}

// The highest surface of `tris` over (x, z), or nothing.
bool TopAt(const std::vector<Tri>& tris, float x, float z, float* top) {
  const auto h = HeightsAt(tris, x, z);
  if (h.empty()) return false;
  *top = *std::max_element(h.begin(), h.end());
  return true;
}

struct Pot {
  const char* jar;
  const char* below;  // the opaque ingredient under the scooping level
  float belowLift;    // its frame stands this much lower than the jar's
  const char* surface;
  const char* surface2;
  const char* cover;
};
const Pot kPots[] = {
    {"cb", "cr", 2, "ci", "ci2", "cf"}, {"mb", "mr", 0, "mi", "mi2", "mf"}, {"sbu", "sbm", 0, "si", "si2", "sf"}};

TEST(PotModels, HoldTheBucketAndTheirContent) {
  for (const Pot& pot : kPots) {
    SCOPED_TRACE(pot.jar);
    const Model &jar = LoadModel(pot.jar), &in = LoadModel(pot.surface), &below = LoadModel(pot.below),
                &cover = LoadModel(pot.cover);
    EXPECT_TRUE(SameMesh(in, LoadModel(pot.surface2)));
    // A level surface: the top at the axis, 2.5 or more below the rim.
    float top = 0;
    ASSERT_TRUE(TopAt(in.tris, 0, 0, &top));
    const float level = MaxY(in), rim = MaxY(jar);
    EXPECT_EQ(top, level);
    EXPECT_LE(top, rim - 2.5f);
    // Seen from above: the level faces run clockwise seen from +y.
    for (const Tri& t : in.tris) {
      if (t[0].y == top && t[1].y == top && t[2].y == top) {
        EXPECT_GT(platform::rm::Cross(t[1] - t[0], t[2] - t[0]).y, 0);
      }
    }

    for (int k = 0; k < 12; ++k) {
      const float a = k * 0.5236f, c = std::cos(a), s = std::sin(a);
      // Nothing of the pot between the axis and radius 8.2 from the
      // surface up: room for a bucket 3.6 wide and 4.4 long at any turn.
      for (float y = level; y <= rim + 1; y += 0.5f)
        EXPECT_FALSE(SegmentHitsAny({0, y, 0}, {8.2f * c, y, 8.2f * s}, jar.tris, jar.bounds)) << "y " << y;
      // The wall stands within 10 of the axis, so a bucket inside the pot
      // is always found next to it.
      EXPECT_TRUE(SegmentHitsAny({0, level + 1, 0}, {10 * c, level + 1, 10 * s}, jar.tris, jar.bounds));
    }

    // The floor: deep enough for the lip's 0.4 probe to cross the surface
    // above it, too shallow for the 3.2 high bucket to go under.
    float floor = 0;
    ASSERT_TRUE(TopAt(below.tris, 3, 3, &floor));
    const float depth = level - (floor - pot.belowLift);
    EXPECT_GT(depth, 1.0f);
    EXPECT_LT(depth, 3.0f);

    // The cover closes the mouth.
    for (float r = 0; r < 9; r += 1.5f)
      EXPECT_TRUE(SegmentHitsAny({r, rim + 5, 0.3f}, {r, level, 0.3f}, cover.tris, cover.bounds)) << "r " << r;
  }
}

}  // namespace
}  // namespace model_test
