#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "platform/rm/quality.h"
#include "platform/rm/rm_object.h"

namespace platform::rm {
namespace {

constexpr float kEps = 1e-4f;

#define EXPECT_VEC_NEAR(actual, ex, ey, ez)   \
  do {                                        \
    Vec3 v_ = (actual);                       \
    EXPECT_NEAR(v_.x, (ex), kEps) << #actual; \
    EXPECT_NEAR(v_.y, (ey), kEps) << #actual; \
    EXPECT_NEAR(v_.z, (ez), kEps) << #actual; \
  } while (0)

bool Finite(Vec3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

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

TEST(FrameTransform, PositionsRelativeToAnyFrame) {
  TurnedScene s;
  Ref<Frame> child = NewFrame(s.turned.get());
  EXPECT_VEC_NEAR(PositionIn(*child, s.root.get()), 10, 0, 0);  // starts at its parent's origin

  ASSERT_EQ(child->SetPosition(s.turned.get(), 0, 0, 5), kOk);
  EXPECT_VEC_NEAR(PositionIn(*child, s.root.get()), 15, 0, 0);
  EXPECT_VEC_NEAR(PositionIn(*child, nullptr), 15, 0, 0);  // null: world
  EXPECT_VEC_NEAR(child->Transform({0, 0, 1}), 16, 0, 0);
  EXPECT_VEC_NEAR(child->InverseTransform({16, 0, 0}), 0, 0, 1);

  // Placed relative to a frame that is neither parent nor root.
  Ref<Frame> other = NewFrame(s.root.get());
  ASSERT_EQ(other->SetPosition(s.root.get(), 0, 3, 0), kOk);
  ASSERT_EQ(child->SetPosition(other.get(), 0, 0, 0), kOk);
  EXPECT_VEC_NEAR(PositionIn(*child, s.root.get()), 0, 3, 0);
  // The turned frame's x axis is the root's -z.
  EXPECT_VEC_NEAR(PositionIn(*child, s.turned.get()), 0, 3, -10);
  EXPECT_VEC_NEAR(PositionIn(*child, child.get()), 0, 0, 0);
}

TEST(FrameTransform, OrientationRelativeToAnyFrame) {
  TurnedScene s;
  Ref<Frame> child = NewFrame(s.turned.get());
  // Neither vector unit length, up not orthogonal to the direction.
  ASSERT_EQ(child->SetOrientation(s.root.get(), {0, 0, -3}, {0, 2, 2}), kOk);
  Axes inRoot = OrientationIn(*child, s.root.get());
  EXPECT_VEC_NEAR(inRoot.dir, 0, 0, -1);
  EXPECT_VEC_NEAR(inRoot.up, 0, 1, 0);
  Axes inParent = OrientationIn(*child, s.turned.get());
  EXPECT_VEC_NEAR(inParent.dir, 1, 0, 0);  // root -z is the turned frame's +x
  EXPECT_VEC_NEAR(inParent.up, 0, 1, 0);
  // x = y cross z: a left-handed frame.
  EXPECT_VEC_NEAR(child->WorldMatrix().x, -1, 0, 0);
}

TEST(FrameTransform, BadOrientationIsRefusedAndChangesNothing) {
  TurnedScene s;
  const Matrix before = s.turned->LocalTransform();
  const float nan = std::nanf("");
  EXPECT_EQ(s.turned->SetOrientation(s.root.get(), 0, 1, 0, 0, 2, 0), kErrBadValue);   // parallel
  EXPECT_EQ(s.turned->SetOrientation(s.root.get(), 0, 1, 0, 0, -1, 0), kErrBadValue);  // opposite
  EXPECT_EQ(s.turned->SetOrientation(s.root.get(), 0, 0, 0, 0, 1, 0), kErrBadValue);   // zero dir
  EXPECT_EQ(s.turned->SetOrientation(s.root.get(), 0, 0, 1, 0, 0, 0), kErrBadValue);   // zero up
  EXPECT_EQ(s.turned->SetOrientation(s.root.get(), nan, 0, 1, 0, 1, 0), kErrBadValue);
  EXPECT_EQ(s.turned->SetPosition(s.root.get(), nan, 0, 0), kErrBadValue);
  const Matrix& after = s.turned->LocalTransform();
  EXPECT_EQ(after.x, before.x);
  EXPECT_EQ(after.y, before.y);
  EXPECT_EQ(after.z, before.z);
  EXPECT_EQ(after.origin, before.origin);
}

TEST(FrameMotion, RotationAndVelocityOverSeveralSteps) {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> body = NewFrame(root.get());
  Ref<Frame> arm = NewFrame(body.get());
  ASSERT_EQ(body->SetPosition(root.get(), 10, 0, 0), kOk);
  ASSERT_EQ(arm->SetPosition(body.get(), 0, 0, 5), kOk);
  ASSERT_EQ(body->SetRotation(root.get(), 0, 1, 0, 0.1f), kOk);
  for (int i = 0; i < 3; ++i) ASSERT_EQ(root->Move(2.0f), kOk);

  // 0.6 rad about +y turns +z toward +x, about the frame's own origin.
  const float a = 0.6f;
  EXPECT_VEC_NEAR(PositionIn(*body, root.get()), 10, 0, 0);
  EXPECT_VEC_NEAR(OrientationIn(*body, root.get()).dir, std::sin(a), 0, std::cos(a));
  // The child follows its parent.
  EXPECT_VEC_NEAR(PositionIn(*arm, root.get()), 10 + 5 * std::sin(a), 0, 5 * std::cos(a));
  EXPECT_VEC_NEAR(PositionIn(*arm, body.get()), 0, 0, 5);

  // A velocity given in the frame's own coordinates is fixed in its parent's
  // when set: the frame keeps going that way while it turns.
  ASSERT_EQ(body->SetVelocity(body.get(), 0, 0, 1, false), kOk);
  ASSERT_EQ(body->SetRotation(body.get(), 0, 0, 0, 0), kOk);
  ASSERT_EQ(root->Move(3.0f), kOk);
  EXPECT_VEC_NEAR(PositionIn(*body, root.get()), 10 + 3 * std::sin(a), 0, 3 * std::cos(a));

  // Zero time moves nothing; a non-finite step is refused.
  const Vec3 at = PositionIn(*body, root.get());
  EXPECT_EQ(root->Move(0.0f), kOk);
  EXPECT_EQ(PositionIn(*body, root.get()), at);
  EXPECT_EQ(root->Move(std::nanf("")), kErrBadValue);
  EXPECT_EQ(PositionIn(*body, root.get()), at);
}

TEST(FrameMotion, AxisRelativeToTheFrameItselfAndManyStepsStayRigid) {
  TurnedScene s;
  // About the frame's own +x, which is the root's -z.
  ASSERT_EQ(s.turned->SetRotation(s.turned.get(), 1, 0, 0, 0.01f), kOk);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(s.root->Move(0.5f), kOk);
  const Matrix& m = s.turned->WorldMatrix();
  EXPECT_NEAR(Length(m.x), 1.0f, 1e-5f);
  EXPECT_NEAR(Length(m.y), 1.0f, 1e-5f);
  EXPECT_NEAR(Dot(m.y, m.z), 0.0f, 1e-5f);
  EXPECT_VEC_NEAR(m.x, 0, 0, -1);  // the axis does not move
  // 5 rad about the root's -z.
  EXPECT_VEC_NEAR(m.z, std::cos(5.0f), -std::sin(5.0f), 0);
}

TEST(FrameMotion, VelocityWithRotationTurnsForTheNextStep) {
  for (bool withRotation : {false, true}) {
    Ref<Frame> root = NewFrame(nullptr);
    Ref<Frame> f = NewFrame(root.get());
    ASSERT_EQ(f->SetRotation(root.get(), 0, 1, 0, 3.14159265f / 2), kOk);
    ASSERT_EQ(f->SetVelocity(root.get(), 0, 0, 1, withRotation), kOk);
    ASSERT_EQ(root->Move(1.0f), kOk);
    EXPECT_VEC_NEAR(PositionIn(*f, root.get()), 0, 0, 1);  // the first step is the same
    ASSERT_EQ(root->Move(1.0f), kOk);
    if (withRotation) {
      EXPECT_VEC_NEAR(PositionIn(*f, root.get()), 1, 0, 1);
    } else {
      EXPECT_VEC_NEAR(PositionIn(*f, root.get()), 0, 0, 2);
    }
  }
}

TEST(FrameLookAt, AimsWithoutRollAndKeepsUpWhenStraightAbove) {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> target = NewFrame(root.get());
  Ref<Frame> camera = NewFrame(root.get());
  ASSERT_EQ(target->SetPosition(root.get(), 0, 0, 0), kOk);

  ASSERT_EQ(camera->SetPosition(root.get(), 0, 10, -10), kOk);
  ASSERT_EQ(camera->LookAt(target.get(), root.get(), Constraint::Z), kOk);
  Axes a = OrientationIn(*camera, root.get());
  const float r = std::sqrt(0.5f);
  EXPECT_VEC_NEAR(a.dir, 0, -r, r);
  EXPECT_VEC_NEAR(a.up, 0, r, r);
  EXPECT_VEC_NEAR(camera->WorldMatrix().x, 1, 0, 0);  // no roll

  // Straight above: the up vector it had is kept, made orthogonal.
  ASSERT_EQ(camera->SetOrientation(root.get(), 0, -1, 1, 0, 0, -1), kOk);
  Vec3 oldUp = OrientationIn(*camera, root.get()).up;
  ASSERT_EQ(camera->SetPosition(root.get(), 0, 50, 0), kOk);
  ASSERT_EQ(camera->LookAt(target.get(), root.get(), Constraint::Z), kOk);
  a = OrientationIn(*camera, root.get());
  EXPECT_VEC_NEAR(a.dir, 0, -1, 0);
  EXPECT_VEC_NEAR(a.up, 0, 0, oldUp.z > 0 ? 1.0f : -1.0f);

  // Even when the old up was the new direction itself.
  ASSERT_EQ(camera->SetOrientation(root.get(), 0, 0, 1, 0, 1, 0), kOk);
  ASSERT_EQ(camera->LookAt(target.get(), root.get(), Constraint::Z), kOk);
  a = OrientationIn(*camera, root.get());
  EXPECT_TRUE(Finite(a.dir) && Finite(a.up));
  EXPECT_VEC_NEAR(a.dir, 0, -1, 0);
  EXPECT_NEAR(Dot(a.dir, a.up), 0, kEps);

  // At the target itself there is nothing to face: refused, nothing changes.
  ASSERT_EQ(camera->SetPosition(root.get(), 0, 0, 0), kOk);
  EXPECT_EQ(camera->LookAt(target.get(), root.get(), Constraint::Z), kErrBadValue);
  EXPECT_TRUE(Finite(OrientationIn(*camera, root.get()).dir));
  EXPECT_EQ(camera->LookAt(nullptr, root.get(), Constraint::Z), kErrBadObject);
}

TEST(FrameLookAt, UpComesFromTheReferenceFrame) {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> tilted = NewFrame(root.get());
  ASSERT_EQ(tilted->SetOrientation(root.get(), 0, 0, 1, 1, 0, 0), kOk);  // its +y is root +x
  Ref<Frame> target = NewFrame(root.get());
  Ref<Frame> camera = NewFrame(root.get());
  ASSERT_EQ(camera->SetPosition(root.get(), 0, 0, -10), kOk);
  ASSERT_EQ(camera->LookAt(target.get(), tilted.get(), Constraint::Z), kOk);
  EXPECT_VEC_NEAR(OrientationIn(*camera, root.get()).up, 1, 0, 0);
  EXPECT_EQ(camera->LookAt(target.get(), tilted.get(), Constraint::Y), kErrNotDoneYet);
}

TEST(FrameTree, ChildrenVisualsAndLights) {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> a = NewFrame(root.get());
  Ref<Frame> b = NewFrame(a.get());
  EXPECT_EQ(b->GetParent(), a.get());
  EXPECT_EQ(b->GetScene(), root.get());
  EXPECT_EQ(a->AddChild(root), kErrBadValue);  // a cycle
  EXPECT_EQ(b->AddChild(b), kErrBadValue);
  EXPECT_EQ(root->DeleteChild(b.get()), kErrNotFound);

  // Moving to another parent keeps the transform relative to the parent.
  ASSERT_EQ(a->SetPosition(root.get(), 5, 0, 0), kOk);
  ASSERT_EQ(b->SetPosition(a.get(), 1, 0, 0), kOk);
  ASSERT_EQ(root->AddChild(b), kOk);
  EXPECT_EQ(b->GetParent(), root.get());
  EXPECT_TRUE(a->Children().empty());
  EXPECT_VEC_NEAR(PositionIn(*b, root.get()), 1, 0, 0);

  Ref<MeshBuilder> mesh;
  ASSERT_EQ(CreateMeshBuilder(&mesh), kOk);
  ASSERT_EQ(a->AddVisual(mesh), kOk);
  ASSERT_EQ(a->AddVisual(mesh), kOk);  // twice: still once
  ASSERT_EQ(b->AddVisual(mesh), kOk);  // instancing
  EXPECT_EQ(a->Visuals().size(), 1u);
  EXPECT_EQ(a->DeleteVisual(mesh.get()), kOk);
  EXPECT_EQ(a->DeleteVisual(mesh.get()), kErrNotFound);
  EXPECT_EQ(b->Visuals().size(), 1u);
  EXPECT_EQ(a->AddVisual(nullptr), kErrBadObject);

  Ref<Light> light;
  ASSERT_EQ(CreateLight(LightType::Point, 2, 0.5f, -1, &light), kOk);
  EXPECT_EQ(light->GetColor(), (Color{1, 0.5f, 0, 1}));
  EXPECT_EQ(light->ConstantAttenuation(), 1.0f);
  EXPECT_EQ(light->LinearAttenuation(), 0.0f);
  ASSERT_EQ(a->AddLight(light), kOk);
  Vec3 p;
  ASSERT_TRUE(light->WorldPosition(&p));
  EXPECT_VEC_NEAR(p, 5, 0, 0);
  EXPECT_EQ(a->DeleteLight(light.get()), kOk);
  EXPECT_FALSE(light->WorldPosition(&p));

  ASSERT_EQ(b->SetSceneBackgroundRGB(0.05f, 0.45f, 2.0f), kOk);
  EXPECT_EQ(root->GetSceneBackground(), (Color{0.05f, 0.45f, 1.0f, 1.0f}));
}

TEST(FrameTree, ReleasingReferencesInAnyOrder) {
  Ref<Frame> root = NewFrame(nullptr);
  Ref<Frame> child = NewFrame(root.get());
  Ref<Frame> grandchild = NewFrame(child.get());
  Ref<Light> light;
  ASSERT_EQ(CreateLight(LightType::Point, 1, 1, 1, &light), kOk);
  ASSERT_EQ(child->AddLight(light), kOk);

  // The parent holds the child: releasing the named reference keeps it.
  Frame* raw = grandchild.get();
  grandchild.reset();
  ASSERT_EQ(child->Children().size(), 1u);
  EXPECT_EQ(child->Children()[0].get(), raw);

  // The root goes first: the child, still named, becomes a root of its own.
  root.reset();
  EXPECT_EQ(child->GetParent(), nullptr);
  EXPECT_VEC_NEAR(PositionIn(*child, nullptr), 0, 0, 0);
  child.reset();
  Vec3 p;
  EXPECT_FALSE(light->WorldPosition(&p));
}

TEST(RenderQuality, ComponentsAndTheLowerOfTwo) {
  EXPECT_EQ(kRenderWireframe, 0x40u);
  EXPECT_EQ(kRenderUnlitFlat, 0x80u);
  EXPECT_EQ(kRenderFlat, 0x88u);
  EXPECT_EQ(kRenderGouraud, 0x89u);
  EXPECT_EQ(kRenderPhong, 0x8Au);
  EXPECT_EQ(MinQuality(kRenderGouraud, kRenderFlat), kRenderFlat);
  EXPECT_EQ(MinQuality(kRenderPhong, kRenderGouraud), kRenderGouraud);
  EXPECT_EQ(MinQuality(kRenderWireframe, kRenderGouraud), kRenderWireframe);
  EXPECT_EQ(MinQuality(kRenderUnlitFlat, kRenderPhong), kRenderUnlitFlat);
}

TEST(ResultCodes, ValuesAndNameTable) {
  EXPECT_EQ(static_cast<std::uint32_t>(kErrBadObject), 0x8876030Du);
  EXPECT_EQ(static_cast<std::uint32_t>(kErrUnableToExecute), 0x88760319u);
  struct Entry {
    HResult code;
    const char* name;
  };
#define PLATFORM_RM_TEST_ENTRY(id, name, code) {kErr##id, "D3DRMERR_" #name},
  const Entry table[] = {PLATFORM_RM_RESULTS(PLATFORM_RM_TEST_ENTRY)};
#undef PLATFORM_RM_TEST_ENTRY
  ASSERT_EQ(std::size(table), 13u);
  for (std::size_t i = 0; i < std::size(table); ++i) {
    EXPECT_EQ(table[i].code, MakeDDHResult(781 + static_cast<std::uint32_t>(i)));
  }
  EXPECT_STREQ(table[7].name, "D3DRMERR_BADFILE");
}

}  // namespace
}  // namespace platform::rm
