#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "platform/rm/ray_pick.h"
#include "platform/rm/rm_object.h"

namespace platform::rm {
namespace {

constexpr float kEps = 1e-4f;

Ref<Frame> NewFrame(Frame* parent, Vec3 at = {}) {
  Ref<Frame> f;
  EXPECT_EQ(CreateFrame(parent, &f), kOk);
  if (parent) {
    EXPECT_EQ(f->SetPosition(parent->GetScene(), at), kOk);
  }
  return f;
}

Ref<MeshBuilder> Build(const MeshData& data) {
  Ref<MeshBuilder> mesh;
  EXPECT_EQ(CreateMeshBuilder(&mesh), kOk);
  EXPECT_EQ(mesh->SetMesh(data), kOk);
  return mesh;
}

// A 2 x 2 square in the y = 0 plane around the origin, facing up.
MeshData Square(bool reversed = false) {
  MeshData m;
  m.positions = {{-1, 0, -1}, {-1, 0, 1}, {1, 0, 1}, {1, 0, -1}};
  m.faceSizes = {4};
  m.faceIndices = reversed ? std::vector<std::uint32_t>{3, 2, 1, 0} : std::vector<std::uint32_t>{0, 1, 2, 3};
  return m;
}

// A closed box of half size 1 around the origin: six squares.
MeshData Box() {
  MeshData m;
  for (int i = 0; i < 8; ++i) {
    m.positions.push_back({i & 1 ? 1.0f : -1.0f, i & 2 ? 1.0f : -1.0f, i & 4 ? 1.0f : -1.0f});
  }
  m.faceSizes.assign(6, 4);
  m.faceIndices = {0, 2, 3, 1, 4, 5, 7, 6, 0, 1, 5, 4, 2, 6, 7, 3, 0, 4, 6, 2, 1, 3, 7, 5};
  return m;
}

std::vector<Pick> PickAll(const Frame& root, Vec3 origin, Vec3 dir, std::uint32_t flags = 0,
                          float maxDistance = INFINITY) {
  std::vector<Pick> picks;
  EXPECT_EQ(root.RayPick(&root, {origin, dir}, flags, &picks, maxDistance), kOk);
  return picks;
}

TEST(RayPick, SortedNearestFirstWithFrameVisualFaceAndPosition) {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<MeshBuilder> square = Build(Square());
  Ref<Frame> low = NewFrame(root.get(), {0, 1, 0});
  Ref<Frame> high = NewFrame(root.get(), {0, 5, 0});
  Ref<Frame> middle = NewFrame(high.get(), {0, 3, 0});  // a child, placed in world terms
  for (Frame* f : {low.get(), high.get(), middle.get()}) ASSERT_EQ(f->AddVisual(square), kOk);
  // Straight down from above, direction not unit length.
  std::vector<Pick> picks = PickAll(*root, {0.25f, 10, 0.5f}, {0, -4, 0});
  ASSERT_EQ(picks.size(), 3u);
  const Frame* order[] = {high.get(), middle.get(), low.get()};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(picks[i].frame.get(), order[i]);
  EXPECT_EQ(picks[0].visual.get(), square.get());
  EXPECT_EQ(picks[0].face, 0u);
  EXPECT_NEAR(picks[0].distance, 5.0f, kEps);  // world units, not multiples of the direction
  EXPECT_NEAR(picks[2].distance, 9.0f, kEps);
  EXPECT_LT(Length(picks[1].position - Vec3{0.25f, 3.0f, 0.5f}), kEps);
  // From below, the back faces count too.
  EXPECT_EQ(PickAll(*root, {0, -1, 0}, {0, 1, 0}).size(), 3u);
  // Missing to the side, or pointing away.
  EXPECT_TRUE(PickAll(*root, {1.5f, 10, 0}, {0, -1, 0}).empty());
  EXPECT_TRUE(PickAll(*root, {0, 10, 0}, {0, 1, 0}).empty());
  // Shadows are never hit; a ray without a direction hits nothing.
  Ref<Light> light;
  ASSERT_EQ(CreateLight(LightType::Point, 1, 1, 1, &light), kOk);
  Ref<Shadow> shadow;
  ASSERT_EQ(CreateShadow(square, light, {0, 0.2f, 0}, {0, 1, 0}, &shadow), kOk);
  Ref<Frame> shaded = NewFrame(root.get(), {5, 0, 0});
  ASSERT_EQ(shaded->AddVisual(shadow), kOk);
  EXPECT_TRUE(PickAll(*root, {5, 5, 0}, {0, -1, 0}).empty());
  EXPECT_TRUE(PickAll(*root, {0, 10, 0}, {0, 0, 0}).empty());
}

TEST(RayPick, IgnoreFurtherPrimitivesKeepsOneHitPerInstance) {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<MeshBuilder> box = Build(Box());
  Ref<Frame> a = NewFrame(root.get(), {0, 0, 0});
  Ref<Frame> b = NewFrame(root.get(), {0, 0, 5});
  ASSERT_EQ(a->AddVisual(box), kOk);
  ASSERT_EQ(b->AddVisual(box), kOk);
  const Vec3 origin{0.1f, 0.2f, -10}, dir{0, 0, 1};
  EXPECT_EQ(PickAll(*root, origin, dir).size(), 4u);
  std::vector<Pick> nearest = PickAll(*root, origin, dir, kRayPickIgnoreFurtherPrimitives);
  ASSERT_EQ(nearest.size(), 2u);
  EXPECT_EQ(nearest[0].frame.get(), a.get());
  EXPECT_NEAR(nearest[0].position.z, -1.0f, kEps);
  EXPECT_NEAR(nearest[1].position.z, 4.0f, kEps);
  // From inside a box, only what lies ahead.
  std::vector<Pick> inside = PickAll(*root, {0.1f, 0.2f, 0}, dir, kRayPickIgnoreFurtherPrimitives);
  ASSERT_EQ(inside.size(), 2u);
  EXPECT_NEAR(inside[0].position.z, 1.0f, kEps);
}

TEST(RayPick, CoincidentSurfacesGiveBitIdenticalPositions) {
  // Two separately built meshes with the same triangles, one wound the other
  // way, on frames with different parents but the same world transform.
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> anchor = NewFrame(root.get(), {0, 0, 0});
  Ref<Frame> jar = NewFrame(root.get(), {-62, -30, 35});
  Ref<Frame> content = NewFrame(anchor.get(), {-62, -30, 35});
  for (Frame* f : {jar.get(), content.get()}) {
    ASSERT_EQ(f->SetOrientation(root.get(), {0.3f, 0.1f, 1}, {0, 1, 0}), kOk);
  }
  for (bool reversed : {false, true}) {
    MeshData lid = Square(reversed);
    for (Vec3& p : lid.positions) p = p * 3.7f + Vec3{0.13f, 0.71f, -0.29f};
    ASSERT_EQ((reversed ? content : jar)->AddVisual(Build(lid)), kOk);
  }

  std::mt19937 random(7);
  std::uniform_real_distribution<float> spread(-2.0f, 2.0f);
  int compared = 0;
  for (int i = 0; i < 200; ++i) {
    Vec3 origin{-62 + spread(random), -20 + spread(random), 35 + spread(random)};
    Vec3 target{-62 + spread(random), -29.3f, 35 + spread(random)};
    std::vector<Pick> picks = PickAll(*root, origin, target - origin, kRayPickIgnoreFurtherPrimitives);
    if (picks.empty()) continue;
    ASSERT_EQ(picks.size(), 2u);
    EXPECT_EQ(picks[0].position, picks[1].position);  // exactly
    EXPECT_EQ(picks[0].distance, picks[1].distance);
    ++compared;
  }
  EXPECT_GT(compared, 50);
}

TEST(RayPick, OnlyHitsAheadOfTheOriginAndWithinTheDistance) {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> f = NewFrame(root.get());
  ASSERT_EQ(f->AddVisual(Build(Square())), kOk);
  // Starting exactly on the surface: not a hit.
  EXPECT_TRUE(PickAll(*root, {0, 0, 0}, {0, -1, 0}).empty());
  EXPECT_TRUE(PickAll(*root, {0.5f, 0, 0.5f}, {0, 1, 0}).empty());
  // A segment that ends exactly on the surface reaches it; a shorter one not.
  EXPECT_EQ(PickAll(*root, {0.5f, 2, 0.5f}, {0, -2, 0}, 0, 2.0f).size(), 1u);
  EXPECT_TRUE(PickAll(*root, {0.5f, 2, 0.5f}, {0, -2, 0}, 0, 1.999f).empty());
  // The ray runs on past the end of its direction vector.
  EXPECT_EQ(PickAll(*root, {0.5f, 2, 0.5f}, {0, -0.5f, 0}).size(), 1u);
  // Along the plane itself: nothing.
  EXPECT_TRUE(PickAll(*root, {-5, 0, 0.5f}, {1, 0, 0}).empty());
}

// The hierarchy must find exactly what testing every triangle finds.
TEST(RayPick, AgreesWithTestingEveryTriangle) {
  MeshData m;
  std::mt19937 random(99);
  std::uniform_real_distribution<float> where(-20.0f, 20.0f), size(-1.5f, 1.5f);
  for (int t = 0; t < 3000; ++t) {
    Vec3 c{where(random), where(random) * 0.2f, where(random)};
    for (int k = 0; k < 3; ++k) m.positions.push_back(c + Vec3{size(random), size(random), size(random)});
    m.faceSizes.push_back(3);
    for (int k = 0; k < 3; ++k) m.faceIndices.push_back(static_cast<std::uint32_t>(3 * t + k));
  }
  Ref<MeshBuilder> mesh = Build(m);
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> f = NewFrame(root.get(), {1, 2, 3});
  ASSERT_EQ(f->SetOrientation(root.get(), 1, 0.5f, 0.2f, 0, 1, 0), kOk);
  ASSERT_EQ(f->AddVisual(mesh), kOk);

  const Matrix& world = f->WorldMatrix();
  for (int i = 0; i < 300; ++i) {
    Vec3 origin{where(random), where(random), where(random)};
    Vec3 dir{size(random), size(random), size(random)};
    // Every triangle, in world coordinates, by the textbook test.
    float nearest = INFINITY;
    int count = 0;
    for (std::size_t t = 0; t < m.faceSizes.size(); ++t) {
      Vec3 a = world.TransformPoint(m.positions[3 * t]), b = world.TransformPoint(m.positions[3 * t + 1]),
           c = world.TransformPoint(m.positions[3 * t + 2]);
      Vec3 e1 = b - a, e2 = c - a, p = Cross(dir, e2);
      float det = Dot(e1, p);
      if (std::fabs(det) < 1e-12f) continue;
      Vec3 s = origin - a, q = Cross(s, e1);
      float u = Dot(s, p) / det, v = Dot(dir, q) / det, hit = Dot(e2, q) / det;
      // Skip grazing hits that rounding may decide either way.
      if (u < 1e-4f || v < 1e-4f || u + v > 1 - 1e-4f || hit <= 1e-4f) continue;
      ++count;
      nearest = std::min(nearest, hit * Length(dir));
    }
    std::vector<Pick> all = PickAll(*root, origin, dir);
    std::vector<Pick> first = PickAll(*root, origin, dir, kRayPickIgnoreFurtherPrimitives);
    EXPECT_GE(all.size(), static_cast<std::size_t>(count));
    EXPECT_LE(all.size(), static_cast<std::size_t>(count) + 1);  // at most one grazing extra
    if (count > 0) {
      ASSERT_EQ(first.size(), 1u);
      EXPECT_LE(first[0].distance, nearest * (1 + 1e-4f) + 1e-4f);
      for (std::size_t k = 1; k < all.size(); ++k) EXPECT_LE(all[k - 1].distance, all[k].distance);
    }
  }
}

}  // namespace
}  // namespace platform::rm
