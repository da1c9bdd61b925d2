// The models that make the stages work: tables under the drivable area and
// under everything placed on it, pots the bucket can dip into, vessels
// sized for pouring, and a title that reads the right way round.
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
const Pot kPots[] = {{"cb", "cr", 2, "ci", "ci2", "cf"},
                     {"mb", "mr", 0, "mi", "mi2", "mf"},
                     {"sbu", "sbm", 0, "si", "si2", "sf"}};

TEST(PotModels, HoldTheBucketAndTheirContent) {
  for (const Pot& pot : kPots) {
    SCOPED_TRACE(pot.jar);
    const Model &jar = LoadModel(pot.jar), &in = LoadModel(pot.surface),
                &below = LoadModel(pot.below), &cover = LoadModel(pot.cover);
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
        EXPECT_FALSE(SegmentHitsAny({0, y, 0}, {8.2f * c, y, 8.2f * s}, jar.tris, jar.bounds))
            << "y " << y;
      // The wall stands within 10 of the axis, so a bucket inside the pot
      // is always found next to it.
      EXPECT_TRUE(SegmentHitsAny({0, level + 1, 0}, {10 * c, level + 1, 10 * s}, jar.tris,
                                 jar.bounds));
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
      EXPECT_TRUE(SegmentHitsAny({r, rim + 5, 0.3f}, {r, level, 0.3f}, cover.tris, cover.bounds))
          << "r " << r;
  }
}

// The rim's outer radius: the farthest a vertex at the rim's height lies
// from the axis.
float RimRadius(const Model& m) {
  float r = 0;
  for (const Vec3& p : m.data.positions)
    if (p.y == MaxY(m) && std::fabs(p.z) < 12.5f) r = std::max(r, std::hypot(p.x, p.z));
  return r;
}

TEST(VesselModels, SizedForThePouringRadiiAndFilledByTheirDrinks) {
  struct Pair {
    const Model &vessel, &drink;
    float pourRadius;
  };
  for (const Pair& p : {Pair{LoadModel("cup"), LoadModel("in"), 12.4f},
                        Pair{LoadModel("glass"), LoadModel("gc"), 10.9f}}) {
    SCOPED_TRACE(p.drink.name);
    // Pouring counts within the pour radius of the axis: the rim shows that circle.
    EXPECT_GT(RimRadius(p.vessel), p.pourRadius - 1);
    EXPECT_LE(RimRadius(p.vessel), p.pourRadius);
    // Above the vessel's floor, below its rim, and seen from above at the
    // axis and halfway out.
    float floor = 0, top = 0;
    ASSERT_TRUE(TopAt(p.vessel.tris, 0, 0, &floor));
    EXPECT_GE(p.drink.bounds.min.y, floor);
    EXPECT_LT(MaxY(p.drink), MaxY(p.vessel));
    EXPECT_GT(MaxY(p.drink), floor + 0.6f * (MaxY(p.vessel) - floor));
    for (float r : {0.0f, 5.0f, 9.0f}) {
      ASSERT_TRUE(TopAt(p.drink.tris, r, 0, &top));
      EXPECT_EQ(top, MaxY(p.drink));
    }
    // Within the vessel's wall all the way up.
    for (const Vec3& v : p.drink.data.positions) {
      const float r = std::hypot(v.x, v.z);
      EXPECT_FALSE(SegmentHitsAny({0, v.y, 0}, {v.x * 0.999f, v.y, v.z * 0.999f},
                                  p.vessel.tris, p.vessel.bounds))
          << r;
    }
  }
}

// Where a layout puts its table's rectangle and the things on the table.
struct Placed {
  const char* model;
  float x, y, z;  // frame position
  float radius;   // footprint
};
struct Layout {
  const char* table;
  float left, right, front, back;  // drivable rectangle: x left..right, z front..back
  std::vector<Placed> outside;     // pots, cup and glass
  std::vector<Placed> inside;      // obstacles
};

std::vector<Layout> Layouts() {
  return {
      {"table-A", -35, 30, 22, 81, {{"cb", -50, -30, 50, 9}, {"cup", 45, -21, 50, 12.2f}}, {}},
      {"table-B", -42.5f, 38, 21, 81,
       {{"cb", -58, -30, 50, 9}, {"cup", 16, -21, 96, 12.2f}, {"glass", -20, -20, 95, 10.8f}}, {}},
      {"table-C", -35, 18.5f, 3, 80,
       {{"cb", -51, -30, 60, 9}, {"mb", -51, -30, 24, 9}, {"sbd", -8, -33, 98, 9},
        {"cup", 35, -21, 58, 12.2f}, {"glass", 33, -20, 22, 10.8f}}, {}},
      {"table-D", -45, 45, -3, 81,
       {{"cb", -62, -30, 35, 9}, {"mb", 62, -30, 45, 9}, {"sbd", 0, -33, 98, 9},
        {"cup", -18, -21, -20, 12.2f}, {"glass", 18, -20, -20, 10.8f}},
       {{"dish", 4, 1, 55, 8}, {"dish", -20, 1, 20, 8}, {"dish", 25, 1, 28, 8},
        {"spn", 14, 1, 20, 2}}},
  };
}

TEST(TableModels, CoverTheDrivableRectangleAndNothingAroundIt) {
  for (const Layout& layout : Layouts()) {
    SCOPED_TRACE(layout.table);
    const auto tris = Transformed(LoadModel(layout.table).tris, Placement({0, -30, 40}));
    float top = 0;
    for (float x = layout.left + 0.01f; x < layout.right; x += 2.5f)
      for (float z = layout.front + 0.01f; z < layout.back; z += 2.5f) {
        ASSERT_TRUE(TopAt(tris, x, z, &top)) << x << " " << z;
        EXPECT_FLOAT_EQ(top, 0) << x << " " << z;
      }
    // Just past each edge, between the islands, there is no table: the
    // edge the excavator falls from can be seen.
    int bare = 0, probes = 0;
    for (float t = 0.1f; t < 0.9f; t += 0.1f) {
      const float x = layout.left + t * (layout.right - layout.left);
      const float z = layout.front + t * (layout.back - layout.front);
      for (auto [px, pz] : {std::pair{x, layout.front - 1.5f}, std::pair{x, layout.back + 1.5f},
                            std::pair{layout.left - 1.5f, z}, std::pair{layout.right + 1.5f, z}}) {
        ++probes;
        bare += !TopAt(tris, px, pz, &top) || top < -1;
      }
    }
    EXPECT_EQ(bare, probes);
  }
}

TEST(TableModels, HoldEverythingTheLayoutPlaces) {
  for (const Layout& layout : Layouts()) {
    SCOPED_TRACE(layout.table);
    const auto tris = Transformed(LoadModel(layout.table).tris, Placement({0, -30, 40}));
    for (const Placed& p : layout.outside) {
      SCOPED_TRACE(p.model);
      // Outside the rectangle, on an island level with its bottom (Resting
      // checks that in the game's scene) ...
      const float gapX = std::max({layout.left - p.x, p.x - layout.right, 0.0f});
      const float gapZ = std::max({layout.front - p.z, p.z - layout.back, 0.0f});
      EXPECT_GT(std::hypot(gapX, gapZ), p.radius);
      const float level = LoadModel(p.model).bounds.min.y + p.y;
      // ... which reaches under the whole footprint.
      float top = 0;
      for (int k = 0; k < 16; ++k)
        for (float r : {0.0f, p.radius * 0.5f, p.radius}) {
          const float x = p.x + r * std::cos(k * 0.3927f), z = p.z + r * std::sin(k * 0.3927f);
          ASSERT_TRUE(TopAt(tris, x, z, &top)) << x << " " << z;
          EXPECT_NEAR(top, level, 1e-4);
        }
    }
    for (const Placed& p : layout.inside) {
      SCOPED_TRACE(p.model);
      EXPECT_GE(p.x - p.radius, layout.left);
      EXPECT_LE(p.x + p.radius, layout.right);
      EXPECT_GE(p.z - p.radius, layout.front);
      EXPECT_LE(p.z + p.radius, layout.back);
    }
  }
}

TEST(TitleModels, SpellTheNameForTheTitleCamera) {
  // The title camera looks along +x: the screen's right is world -z, its
  // up world +y. Each piece is a flat letter facing the camera.
  struct Piece {
    const char* model;
    float z, y;  // frame position
  };
  const Piece pieces[] = {{"t1", 68, 3035}, {"t2", 30, 3035}, {"t3", 53, 2995},
                          {"t4", 15, 2995}, {"t5", -23, 2995}};
  for (const Piece& p : pieces) {
    SCOPED_TRACE(p.model);
    const Box3 b = LoadModel(p.model).bounds;
    EXPECT_LE(b.max.x - b.min.x, 8);
    EXPECT_GE(b.max.y - b.min.y, 15);
    // Letters of a line do not run into each other.
    EXPECT_LT(b.max.z - b.min.z, 30);
    EXPECT_LE(std::fabs(b.min.y + 15), 0.01f);  // one baseline
  }
  // Not mirrored: the "Z"'s diagonal runs from the camera's upper right to
  // its lower left, the "!" has its dot below, the "r" its arm to the right.
  const Model &z = LoadModel("t1"), &bang = LoadModel("t5"), &r = LoadModel("t3");
  auto covers = [](const Model& m, float right, float up) {
    return SegmentHitsAny({-10, up, -right}, {10, up, -right}, m.tris, m.bounds);
  };
  EXPECT_TRUE(covers(z, 6, 4));
  EXPECT_FALSE(covers(z, -6, 4));
  EXPECT_TRUE(covers(z, -6, -4));
  EXPECT_TRUE(covers(bang, 0, -12));
  EXPECT_FALSE(covers(bang, 0, -6));
  EXPECT_TRUE(covers(r, 7, 4));
  EXPECT_FALSE(covers(r, -13, 4));
}

TEST(ExcavatorModels, TyresTouchTheTableAndSpinTrue) {
  for (const char* name : {"tireL", "tireR"}) {
    SCOPED_TRACE(name);
    const Box3 b = LoadModel(name).bounds;
    // Centred on the tyre frame (1 above the chassis origin, which is 0.1
    // above the table), round about x.
    EXPECT_NEAR(b.min.y + 1 + 0.1f, 0, 0.01f);
    EXPECT_NEAR(b.max.y, -b.min.y, 0.01f);
    EXPECT_NEAR(b.max.z, -b.min.z, 0.01f);
  }
  // The hubs face outward: the left tyres are on +x.
  EXPECT_GT(LoadModel("tireL").bounds.max.x, -LoadModel("tireL").bounds.min.x);
  EXPECT_GT(-LoadModel("tireR").bounds.min.x, LoadModel("tireR").bounds.max.x);
}

TEST(ExcavatorModels, LoadsAreOneShapeInThreeColours) {
  const Model &c = LoadModel("car-c"), &m = LoadModel("car-m"), &s = LoadModel("car-s");
  EXPECT_TRUE(SameMesh(c, m));
  EXPECT_TRUE(SameMesh(c, s));
  EXPECT_NE(c.data.faceColors[0], m.data.faceColors[0]);
  EXPECT_NE(m.data.faceColors[0], s.data.faceColors[0]);
}

}  // namespace
}  // namespace model_test
