#include <gtest/gtest.h>

#include <cmath>

#include "platform/rm/rm_object.h"

namespace platform::rm {
namespace {

void ExpectNear(Vec3 actual, Vec3 expected) {
  EXPECT_NEAR(actual.x, expected.x, 1e-4f);
  EXPECT_NEAR(actual.y, expected.y, 1e-4f);
  EXPECT_NEAR(actual.z, expected.z, 1e-4f);
}

Ref<Frame> NewFrame(Frame* parent) {
  Ref<Frame> f;
  EXPECT_EQ(CreateFrame(parent, &f), kOk);
  return f;
}

Vec3 PositionIn(const Frame& f, const Frame* ref) {
  Vec3 p;
  EXPECT_EQ(f.GetPosition(ref, &p), kOk);
  return p;
}

struct Axes {
  Vec3 dir, up;
};
Axes OrientationIn(const Frame& f, const Frame* ref) {
  Axes a;
  EXPECT_EQ(f.GetOrientation(ref, &a.dir, &a.up), kOk);
  return a;
}

// A frame at (10, 0, 0) whose +z points along the root's +x.
struct TurnedScene {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> turned = NewFrame(root.get());
  TurnedScene() {
    EXPECT_EQ(turned->SetPosition(root.get(), 10, 0, 0), kOk);
    EXPECT_EQ(turned->SetOrientation(root.get(), 1, 0, 0, 0, 1, 0), kOk);
  }
};

TEST(FrameTransform, PositionsAndOrientationsRelativeToAnyFrame) {
  TurnedScene s;
  Ref<Frame> child = NewFrame(s.turned.get());
  ExpectNear(PositionIn(*child, s.root.get()), {10, 0, 0});  // starts at its parent's origin
  ASSERT_EQ(child->SetPosition(s.turned.get(), 0, 0, 5), kOk);
  ExpectNear(PositionIn(*child, s.root.get()), {15, 0, 0});
  ExpectNear(PositionIn(*child, nullptr), {15, 0, 0});  // null: world
  ExpectNear(child->InverseTransform(child->Transform({0, 0, 1})), {0, 0, 1});
  // Relative to a frame that is neither parent nor root; the turned frame's
  // x axis is the root's -z.
  Ref<Frame> other = NewFrame(s.root.get());
  ASSERT_EQ(other->SetPosition(s.root.get(), 0, 3, 0), kOk);
  ASSERT_EQ(child->SetPosition(other.get(), 0, 0, 0), kOk);
  ExpectNear(PositionIn(*child, s.turned.get()), {0, 3, -10});
  // Vectors need not be unit length nor orthogonal.
  ASSERT_EQ(child->SetOrientation(s.root.get(), {0, 0, -3}, {0, 2, 2}), kOk);
  Axes a = OrientationIn(*child, s.root.get());
  ExpectNear(a.dir, {0, 0, -1});
  ExpectNear(a.up, {0, 1, 0});
  ExpectNear(OrientationIn(*child, s.turned.get()).dir, {1, 0, 0});
  ExpectNear(child->WorldMatrix().x, {-1, 0, 0});  // x = y cross z
}

TEST(FrameTransform, BadOrientationIsRefusedAndChangesNothing) {
  TurnedScene s;
  const Matrix before = s.turned->LocalTransform();
  const float nan = std::nanf("");
  // Parallel, opposite, zero direction, zero up, NaN.
  for (auto [dir, up] : {std::pair<Vec3, Vec3>{{0, 1, 0}, {0, 2, 0}},
                         {{0, 1, 0}, {0, -1, 0}},
                         {{0, 0, 0}, {0, 1, 0}},
                         {{0, 0, 1}, {0, 0, 0}},
                         {{nan, 0, 1}, {0, 1, 0}}})
    EXPECT_EQ(s.turned->SetOrientation(s.root.get(), dir, up), kErrBadValue) << dir.x << "," << dir.y;
  EXPECT_EQ(s.turned->SetPosition(s.root.get(), nan, 0, 0), kErrBadValue);
  const Matrix& after = s.turned->LocalTransform();
  EXPECT_TRUE(after.z == before.z && after.y == before.y && after.origin == before.origin);
}

TEST(FrameMotion, RotationAndVelocityOverSeveralSteps) {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> body = NewFrame(root.get());
  Ref<Frame> arm = NewFrame(body.get());
  ASSERT_EQ(body->SetPosition(root.get(), 10, 0, 0), kOk);
  ASSERT_EQ(arm->SetPosition(body.get(), 0, 0, 5), kOk);
  ASSERT_EQ(body->SetRotation(root.get(), 0, 1, 0, 0.1f), kOk);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(root->Move(2.0f), kOk);
  // 0.6 rad about +y turns +z toward +x, about the frame's own origin; the
  // child follows.
  const float a = 0.6f;
  ExpectNear(PositionIn(*body, root.get()), {10, 0, 0});
  ExpectNear(OrientationIn(*body, root.get()).dir, {std::sin(a), 0, std::cos(a)});
  ExpectNear(PositionIn(*arm, root.get()), {10 + 5 * std::sin(a), 0, 5 * std::cos(a)});
  // A velocity in the frame's own terms is fixed in its parent's when set.
  ASSERT_EQ(body->SetVelocity(body.get(), 0, 0, 1, false), kOk);
  ASSERT_EQ(body->SetRotation(body.get(), 0, 0, 0, 0), kOk);
  ASSERT_EQ(root->Move(3.0f), kOk);
  ExpectNear(PositionIn(*body, root.get()), {10 + 3 * std::sin(a), 0, 3 * std::cos(a)});
  EXPECT_EQ(root->Move(std::nanf("")), kErrBadValue);
}

TEST(FrameTree, ChildrenVisualsAndLights) {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> a = NewFrame(root.get());
  Ref<Frame> b = NewFrame(a.get());
  EXPECT_EQ(b->GetScene(), root.get());
  EXPECT_EQ(a->AddChild(root), kErrBadValue);  // a cycle
  // A new parent: the transform relative to the parent is kept.
  ASSERT_EQ(a->SetPosition(root.get(), 5, 0, 0), kOk);
  ASSERT_EQ(b->SetPosition(a.get(), 1, 0, 0), kOk);
  ASSERT_EQ(root->AddChild(b), kOk);
  EXPECT_TRUE(a->Children().empty());
  ExpectNear(PositionIn(*b, root.get()), {1, 0, 0});

  Ref<MeshBuilder> mesh;
  ASSERT_EQ(CreateMeshBuilder(&mesh), kOk);
  ASSERT_EQ(a->AddVisual(mesh), kOk);
  ASSERT_EQ(a->AddVisual(mesh), kOk);  // twice: still once
  ASSERT_EQ(b->AddVisual(mesh), kOk);  // instancing
  EXPECT_EQ(a->Visuals().size(), 1u);
  EXPECT_EQ(a->DeleteVisual(mesh.get()), kOk);
  EXPECT_EQ(a->DeleteVisual(mesh.get()), kErrNotFound);
  EXPECT_EQ(b->Visuals().size(), 1u);

  Ref<Light> light;
  ASSERT_EQ(CreateLight(LightType::Point, 1, 1, 1, &light), kOk);
  ASSERT_EQ(a->AddLight(light), kOk);
  Vec3 p;
  ASSERT_TRUE(light->WorldPosition(&p));
  ExpectNear(p, {5, 0, 0});
}

}  // namespace
}  // namespace platform::rm
