#pragma once
// The excavator as its probe tests see it: probe points, the segments cast
// between them, the joint windows, and the parts placed for a pose in the
// upper structure's coordinates.
#include <string>
#include <utility>
#include <vector>

#include "model_files.h"

namespace model_test {

constexpr Vec3 kBucketProbes[22] = {
    {-1.8f, -1, -4.3f}, {1.8f, -1, -4.3f},     {-1.8f, -0.6f, -4.3f}, {1.8f, -0.6f, -4.3f},
    {-1.8f, 0.3f, -3.8f}, {1.8f, 0.3f, -3.8f}, {-1.8f, 2.2f, -1.9f},  {1.8f, 2.2f, -1.9f},
    {-1.8f, 1.9f, -1},  {1.8f, 1.9f, -1},      {-1.8f, 0.3f, 0.1f},   {1.8f, 0.3f, 0.1f},
    {-1.8f, -0.4f, 0.1f}, {1.8f, -0.4f, 0.1f}, {-1.8f, -0.4f, -3.4f}, {1.8f, -0.4f, -3.4f},
    {-0.4f, 0.3f, 0.1f}, {0.4f, 0.3f, 0.1f},   {-0.4f, -0.4f, 0.1f},  {0.4f, -0.4f, 0.1f},
    {-1.8f, 0.3f, -3.4f}, {1.8f, 0.3f, -3.4f}};
constexpr Vec3 kArmProbes[12] = {
    {-0.4f, 0.9f, -7},  {0.4f, 0.9f, -7},  {-0.4f, 1.2f, 0},   {0.4f, 1.2f, 0},
    {-0.4f, -0.1f, -7}, {0.4f, -0.1f, -7}, {-0.4f, -0.1f, -0.8f}, {0.4f, -0.1f, -0.8f},
    {-0.4f, -0.1f, -8}, {0.4f, -0.1f, -8}, {-0.4f, 0.9f, -8},  {0.4f, 0.9f, -8}};
constexpr Vec3 kBaseProbes[8] = {{3.9f, 1.8f, -5.2f}, {3.9f, 1.8f, 4.9f}, {-3.9f, 1.8f, -5.2f},
                                 {-3.9f, 1.8f, 4.9f}, {3.9f, 0, -5.2f},   {3.9f, 0, 4.9f},
                                 {-3.9f, 0, -5.2f},   {-3.9f, 0, 4.9f}};
constexpr Vec3 kBodyProbes[8] = {{3.4f, 2.5f, -3}, {3.4f, 2.5f, 6}, {-3.4f, 2.5f, -3},
                                 {-3.4f, 2.5f, 6}, {3.4f, 0, -3},   {3.4f, 0, 6},
                                 {-3.4f, 0, -3},   {-3.4f, 0, 6}};
constexpr Vec3 kWheels[4] = {{2.5f, 1, -3.7f}, {2.5f, 1, 3.7f}, {-2.5f, 1, -3.7f}, {-2.5f, 1, 3.7f}};

using Pairs = std::vector<std::pair<int, int>>;  // 1-based probe numbers
// Every bucket segment the hit chain, the dip chain and the dip test cast.
const Pairs kBucketSegments = {
    {1, 2},   {3, 4},   {5, 6},   {7, 8},   {9, 10},  {12, 18}, {11, 17}, {14, 20},
    {13, 19}, {15, 16}, {1, 3},   {2, 4},   {3, 5},   {4, 6},   {9, 7},   {10, 8},
    {11, 9},  {12, 10}, {11, 13}, {12, 14}, {1, 15},  {2, 16},  {13, 15}, {14, 16},
    {21, 5},  {6, 22},  {21, 7},  {22, 8},  {22, 21}, {2, 14},  {1, 13}};
const Pairs kArmSegments = {{1, 2}, {3, 4},  {5, 6},  {7, 8},   {1, 3},  {2, 4},  {3, 7},
                            {4, 8}, {7, 5},  {8, 6},  {5, 1},   {6, 2},  {10, 6}, {9, 5},
                            {12, 2}, {11, 1}};
const Pairs kBaseSegments = {{1, 2}, {3, 4}, {5, 6},  {7, 8}, {1, 3},  {2, 4},
                             {5, 7}, {6, 8}, {1, 5},  {3, 7}, {2, 6},  {4, 8}};
const Pairs kBodySegments = {{1, 2}, {3, 4}, {5, 6}, {7, 8}, {2, 4},
                             {1, 5}, {3, 7}, {2, 6}, {4, 8}};

// Joint windows: the boom, arm and bucket turn about x (positive lifts the
// front) until a window of the ratio up.y / up.z pushes them back: the boom
// at 48.0 and -73.3 degrees, the arm at 48.0 and -84.3, the bucket at 45.0
// and -125.0. One step at the highest speed (5) carries a joint at most its
// key rate times 5 into a window before the push: 0.1 radian for boom and
// arm, 0.05 for the bucket.
constexpr float kBoomMin = -79.1f, kBoomMax = 53.8f;
constexpr float kArmMin = -90.1f, kArmMax = 53.8f;
constexpr float kBucketMin = -127.9f, kBucketMax = 47.9f;


// Joint angles in degrees, each relative to the part it hangs on.
struct Joints {
  float boom = 0, arm = 0, bucket = 0;
};
// Where the boom, arm and bucket stand in upper-structure coordinates.
struct Placed3 {
  Matrix boom, arm, bucket;
};

inline Placed3 Place(Joints j) {
  Placed3 p;
  p.boom = Placement({0, 0, -2}, j.boom);
  p.arm = Placement({0, 11.5f, -7.4f}, j.arm) * p.boom;
  p.bucket = Placement({0, 0.1f, -7.7f}, j.bucket) * p.arm;
  return p;
}

// How full the bucket is for a pose, as the scooping step computes it from
// the bucket's up vector relative to the upper structure.
inline float BucketAmount(const Placed3& p) {
  const float amount = -1000 * p.bucket.y.y - 600;
  return amount > 400 || amount < 0 ? 0 : amount;
}

// Where the scooping step puts the carried load for this pose; false when
// the bucket holds nothing.
inline bool LoadPlacement(const Placed3& p, Matrix* out) {
  const float amount = BucketAmount(p);
  if (amount == 0) return false;
  const Vec3 centre = p.bucket.TransformPoint({0, 0, 0.5f});
  const Vec3 mouth = p.bucket.TransformPoint({0, 0, -3.2f});
  const float f = (400 - amount) / 800;
  *out = Matrix::Identity();
  out->origin = mouth.y - centre.y >= 0 ? Vec3{centre.x, centre.y - f / 10, centre.z}
                                        : Vec3{mouth.x, mouth.y - f, mouth.z - 3};
  return true;
}

// A model placed by a transform, with its bounds for quick rejection.
struct PlacedMesh {
  std::string name;
  std::vector<Tri> tris;
  Box3 bounds;
};
inline PlacedMesh Placed(const std::string& name, const Matrix& m) {
  PlacedMesh mesh{name, Transformed(LoadModel(name).tris, m), {}};
  mesh.bounds = BoundsOf(mesh.tris);
  return mesh;
}

struct Segment {
  std::string name;
  Vec3 a, b;
};
// The segments between the probes of one part placed by `m`.
inline std::vector<Segment> Segments(const Pairs& pairs, const Vec3* probes, const Matrix& m,
                                     const std::string& part) {
  std::vector<Segment> out;
  for (auto [a, b] : pairs)
    out.push_back({part + " " + std::to_string(a) + "-" + std::to_string(b),
                   m.TransformPoint(probes[a - 1]), m.TransformPoint(probes[b - 1])});
  return out;
}

}  // namespace model_test
