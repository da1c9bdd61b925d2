// The excavator's own meshes must stay clear of the probe segments its
// collision tests cast, in every pose its joint windows allow: a probe that
// met the excavator itself would undo every move or block the drive.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "excavator_rig.h"
#include "model_files.h"

namespace model_test {
namespace {

using platform::rm::Matrix;
using Mesh = PlacedMesh;

// Everything in upper-structure coordinates: the body's meshes and probes
// are fixed there; the chassis turns under it by the swing.
class ExcavatorPoses : public ::testing::Test {
 protected:
  // The chassis in body coordinates for a swing of `degrees`.
  static Matrix ChassisInBody(float degrees) {
    return Placement({0, 3, 0}, 0, degrees).RigidInverse();
  }

  // Whether the pose can be reached on the table: every arm and bucket
  // probe above the table top (0.1 below the chassis origin, 3.1 below the
  // body's), since the probes stop the bucket at the table.
  static bool AboveTable(const Placed3& p) {
    for (const Vec3& v : kBucketProbes)
      if (p.bucket.TransformPoint(v).y < -3.1f) return false;
    for (const Vec3& v : kArmProbes)
      if (p.arm.TransformPoint(v).y < -3.1f) return false;
    return true;
  }

  // Whether the bucket's or the arm's probe outline, taken as a solid, and
  // the probe box `box` (corners `boxProbes` placed by `boxAt`) overlap:
  // the machine then touches itself, which its tests rightly report.
  static bool Touching(const Placed3& p, const Vec3* boxProbes, const Matrix& boxAt) {
    const Matrix toBox = boxAt.RigidInverse();
    Box3 box;
    for (int i = 0; i < 8; ++i) box.Add(boxProbes[i]);
    const Vec3 lo = box.min, hi = box.max;
    auto inBox = [&](Vec3 v) {
      v = toBox.TransformPoint(v);
      return v.x >= lo.x && v.x <= hi.x && v.y >= lo.y && v.y <= hi.y && v.z >= lo.z &&
             v.z <= hi.z;
    };
    // Sample the bucket's and arm's probe segments against the box ...
    auto sampled = [](const Pairs& pairs, const Vec3* probes, const Matrix& m, auto test) {
      for (auto [a, b] : pairs)
        for (int k = 0; k <= 20; ++k) {
          const Vec3 pa = m.TransformPoint(probes[a - 1]), pb = m.TransformPoint(probes[b - 1]);
          if (test(pa + (pb - pa) * (k / 20.0f))) return true;
        }
      return false;
    };
    if (sampled(kBucketSegments, kBucketProbes, p.bucket, inBox) ||
        sampled(kArmSegments, kArmProbes, p.arm, inBox))
      return true;
    // ... and the box's edges against the two outlines.
    const Matrix toBucket = p.bucket.RigidInverse(), toArm = p.arm.RigidInverse();
    auto inOutlines = [&](Vec3 v) {
      const Vec3 b = toBucket.TransformPoint(v), a = toArm.TransformPoint(v);
      return (std::fabs(b.x) <= 1.8f && InPolygon(kBucketOutline, -b.z, b.y)) ||
             (std::fabs(a.x) <= 0.4f && InPolygon(kArmOutline, -a.z, a.y));
    };
    return sampled(kBaseSegments, boxProbes, boxAt, inOutlines);  // a box's twelve edges
  }

  static bool InPolygon(const std::vector<std::pair<float, float>>& poly, float u, float v) {
    bool inside = false;
    for (std::size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
      const auto [ui, vi] = poly[i];
      const auto [uj, vj] = poly[j];
      if ((vi > v) != (vj > v) && u < (uj - ui) * (v - vi) / (vj - vi) + ui) inside = !inside;
    }
    return inside;
  }

  // Side views (forward, up) of the probe outlines.
  static inline const std::vector<std::pair<float, float>> kBucketOutline = {
      {4.3f, -1}, {4.3f, -0.6f}, {3.8f, 0.3f}, {3.4f, 0.3f}, {1.9f, 2.2f},
      {1, 1.9f},  {-0.1f, 0.3f}, {-0.1f, -0.4f}, {3.4f, -0.4f}};
  static inline const std::vector<std::pair<float, float>> kArmOutline = {
      {0, 1.2f}, {7, 0.9f}, {8, 0.9f}, {8, -0.1f}, {7, -0.1f}, {0.8f, -0.1f}};

  // Which segment met which mesh, how often, and the first pose it did.
  struct Findings {
    int count = 0;
    std::map<std::string, std::pair<int, std::string>> kinds;
    void Add(const std::string& what, const std::string& pose) {
      ++count;
      auto& kind = kinds[what];
      if (kind.first++ == 0) kind.second = pose;
    }
    std::string Text() const {
      std::ostringstream text;
      for (const auto& [what, seen] : kinds)
        text << what << " x" << seen.first << " (first at " << seen.second << ")\n";
      return text.str();
    }
  };

  static void Check(const std::vector<Segment>& segments, const std::vector<const Mesh*>& meshes,
                    const std::string& pose, Findings& findings) {
    for (const Segment& s : segments)
      for (const Mesh* m : meshes)
        if (SegmentHitsAny(s.a, s.b, m->tris, m->bounds))
          findings.Add(s.name + " meets " + m->name, pose);
  }

  // The chassis and its four tyres placed by `m`.
  static std::vector<Mesh> ChassisMeshes(const Matrix& m) {
    std::vector<Mesh> out = {Placed("base", m)};
    for (int i = 0; i < 4; ++i) {
      Matrix w = Matrix::Identity();
      w.origin = kWheels[i];
      out.push_back(Placed(i < 2 ? "tireL" : "tireR", w * m));
    }
    return out;
  }
  static std::vector<const Mesh*> Pointers(const std::vector<Mesh>& meshes) {
    std::vector<const Mesh*> out;
    for (const Mesh& m : meshes) out.push_back(&m);
    return out;
  }
  static std::vector<Segment> BucketAndArm(const Placed3& p) {
    std::vector<Segment> out = Segments(kBucketSegments, kBucketProbes, p.bucket, "bucket");
    for (auto& s : Segments(kArmSegments, kArmProbes, p.arm, "arm")) out.push_back(s);
    return out;
  }
};

TEST_F(ExcavatorPoses, ProbeSegmentsStayClearAtRest) {
  const Placed3 p = Place({});
  const Matrix chassis = ChassisInBody(0);
  std::vector<Mesh> meshes = ChassisMeshes(chassis);
  for (Mesh& m : std::vector<Mesh>{Placed("body", Matrix::Identity()), Placed("arm1", p.boom),
                                   Placed("arm2", p.arm), Placed("shbl", p.bucket)})
    meshes.push_back(std::move(m));
  std::vector<Segment> segments = BucketAndArm(p);
  for (auto& s : Segments(kBaseSegments, kBaseProbes, chassis, "chassis")) segments.push_back(s);
  for (auto& s : Segments(kBodySegments, kBodyProbes, Matrix::Identity(), "body"))
    segments.push_back(s);
  Findings findings;
  Check(segments, Pointers(meshes), "rest", findings);
  EXPECT_EQ(findings.count, 0) << findings.Text();
}

TEST_F(ExcavatorPoses, ProbeSegmentsStayClearThroughTheJointWindowsAndSwing) {
  const Mesh body = Placed("body", Matrix::Identity());
  const std::vector<Segment> bodySegments =
      Segments(kBodySegments, kBodyProbes, Matrix::Identity(), "body");
  // The chassis, its tyres and its probe box at eight swings.
  std::vector<std::vector<Mesh>> swungMeshes;
  std::vector<std::vector<Segment>> swungSegments;
  for (int k = 0; k < 8; ++k) {
    const Matrix m = ChassisInBody(45.0f * k);
    swungMeshes.push_back(ChassisMeshes(m));
    swungSegments.push_back(Segments(kBaseSegments, kBaseProbes, m, "chassis"));
  }

  Findings findings;
  int poses = 0, loaded = 0, touching = 0;
  constexpr int kSteps = 36;
  for (int i = 0; i <= kSteps; ++i)
    for (int j = 0; j <= kSteps; ++j)
      for (int k = 0; k <= kSteps; ++k) {
        const Joints joints{kBoomMin + (kBoomMax - kBoomMin) * i / kSteps,
                            kArmMin + (kArmMax - kArmMin) * j / kSteps,
                            kBucketMin + (kBucketMax - kBucketMin) * k / kSteps};
        const Placed3 p = Place(joints);
        if (!AboveTable(p)) continue;
        ++poses;
        const Mesh boom = Placed("arm1", p.boom), arm = Placed("arm2", p.arm),
                   bucket = Placed("shbl", p.bucket);
        // What moves with the boom (the carried load too); then the whole upper structure.
        std::vector<const Mesh*> own = {&boom, &arm, &bucket};
        Matrix loadAt;
        Mesh load;
        if (LoadPlacement(p, &loadAt)) {
          load = Placed("car-c", loadAt);
          own.push_back(&load);
          ++loaded;
        }
        std::vector<const Mesh*> upper = own;
        upper.push_back(&body);
        std::ostringstream pose;
        pose << "boom " << joints.boom << " arm " << joints.arm << " bucket " << joints.bucket;
        const std::vector<Segment> moving = BucketAndArm(p);
        if (Touching(p, kBodyProbes, Matrix::Identity())) {
          ++touching;
          Check(moving, own, pose.str(), findings);
        } else {
          Check(moving, upper, pose.str(), findings);
          Check(bodySegments, own, pose.str(), findings);
        }
        for (std::size_t s = 0; s < swungMeshes.size(); ++s) {
          if (Touching(p, kBaseProbes, ChassisInBody(45.0f * s))) {
            ++touching;
            continue;
          }
          const std::vector<const Mesh*> chassis = Pointers(swungMeshes[s]);
          const std::string swing = pose.str() + " swing " + std::to_string(45 * s);
          Check(moving, chassis, swing, findings);
          Check(swungSegments[s], upper, swing, findings);
          if (i == 0 && j == 0 && k == 0) Check(swungSegments[s], chassis, swing, findings);
        }
      }
  EXPECT_GT(poses, 1000);
  EXPECT_GT(loaded, 100);
  EXPECT_EQ(findings.count, 0) << poses << " poses, " << loaded << " loaded, " << touching
                               << " touching\n"
                               << findings.Text();
}

}  // namespace
}  // namespace model_test
