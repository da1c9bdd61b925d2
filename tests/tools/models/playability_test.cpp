// The pots and vessels work with the excavator as built: from the edge of
// the table a full bucket can be lifted out of each pot and held over the
// cup and the glass, without a probe of the bucket or the arm meeting them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "excavator_rig.h"
#include "model_files.h"

namespace model_test {
namespace {

// Pots, cup and glass stand 15 to 17 beyond the table's edge; the chassis
// centre stays 2.5 (parked sideways, body swung) to 3.7 (facing the edge)
// inside it.
constexpr float kReaches[] = {15 + 2.5f, 17 + 3.7f};

// The upper structure of a chassis standing at the origin, facing -z.
const Matrix kBody = Placement({0, 3.1f, 0});

struct Target {
  std::vector<PlacedMesh> solids;
  float axisZ;
};

bool SegmentsClear(const Placed3& p, const Target& target) {
  const Matrix bucket = p.bucket * kBody, arm = p.arm * kBody;
  auto clear = [&](const std::vector<Segment>& segments) {
    for (const Segment& s : segments) {
      if (s.a.y < 0 || s.b.y < 0) return false;  // below the table top
      for (const PlacedMesh& m : target.solids)
        if (SegmentHitsAny(s.a, s.b, m.tris, m.bounds)) return false;
    }
    return true;
  };
  return clear(Segments(kBucketSegments, kBucketProbes, bucket, "bucket")) &&
         clear(Segments(kArmSegments, kArmProbes, arm, "arm"));
}

float MouthDistance(const Placed3& p, float axisZ) {
  const Vec3 mouth = (p.bucket * kBody).TransformPoint({0, 0, -3.2f});
  return std::hypot(mouth.x, mouth.z - axisZ);
}

// Searches the joints for a pose that `wanted` accepts and the target's
// solids leave clear.
template <typename Wanted>
bool SomePose(const Target& target, Wanted wanted) {
  for (float boom = -60; boom <= 40; boom += 2.5f)
    for (float arm = kArmMin; arm <= 20; arm += 2.5f)
      for (float bucket = kBucketMin; bucket <= -40; bucket += 3) {
        const Placed3 p = Place({boom, arm, bucket});
        if (wanted(p) && SegmentsClear(p, target)) return true;
      }
  return false;
}

struct Pot {
  const char* jar;
  const char* below;
  float frameY, belowY;
  const char* surface;
};

TEST(Playability, AFullBucketComesOutOfEachPot) {
  const Pot pots[] = {{"cb", "cr", -30, -32, "ci"}, {"mb", "mr", -30, -30, "mi"},
                      {"sbu", "sbm", -33, -33, "si"}};
  for (const Pot& pot : pots)
    for (float reach : kReaches) {
      SCOPED_TRACE(std::string(pot.jar) + " at " + std::to_string(reach));
      const Target target{{Placed(pot.jar, Placement({0, pot.frameY, -reach})),
                           Placed(pot.below, Placement({0, pot.belowY, -reach}))},
                          -reach};
      const float level = LoadModel(pot.surface).bounds.max.y + pot.frameY;
      // Lifting out: the bucket, turned over and nearly full, still crosses
      // the surface, its mouth over the pot.
      EXPECT_TRUE(SomePose(target, [&](const Placed3& p) {
        if (BucketAmount(p) < 300 || MouthDistance(p, -reach) > 8) return false;
        float low = 1e9f, high = -1e9f;
        for (const Vec3& v : kBucketProbes) {
          const float y = (p.bucket * kBody).TransformPoint(v).y;
          low = std::min(low, y);
          high = std::max(high, y);
        }
        return low < level && high > level;
      }));
    }
}

TEST(Playability, AFullBucketCanBeHeldOverTheCupAndTheGlass) {
  struct Vessel {
    const char* model;
    float frameY, radius;
  };
  for (const Vessel& v : {Vessel{"cup", -21, 12.4f}, Vessel{"glass", -20, 10.9f}})
    for (float reach : kReaches) {
      SCOPED_TRACE(std::string(v.model) + " at " + std::to_string(reach));
      const Target target{{Placed(v.model, Placement({0, v.frameY, -reach}, 0, 90))}, -reach};
      EXPECT_TRUE(SomePose(target, [&](const Placed3& p) {
        return BucketAmount(p) >= 250 && MouthDistance(p, -reach) < v.radius - 1;
      }));
    }
}

}  // namespace
}  // namespace model_test
