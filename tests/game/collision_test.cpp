#include "game/collision.h"

#include <gtest/gtest.h>

#include "platform/rm/rm_object.h"
#include "scene/scene_objects.h"
#include "support/fresh_state.h"
#include "support/succeeds.h"

using game::Contact;
using platform::rm::Vec3;
using scene::objects;
namespace rm = platform::rm;

namespace {

// A horizontal square of half-size h at height y, as a mesh.
scene::Ref<rm::MeshBuilder> Square(float y, float h) {
  rm::MeshData data;
  data.positions = {{-h, y, -h}, {-h, y, h}, {h, y, h}, {h, y, -h}};
  data.faceSizes = {4};
  data.faceIndices = {0, 1, 2, 3};
  scene::Ref<rm::MeshBuilder> mesh;
  EXPECT_OK(rm::CreateMeshBuilder(&mesh));
  EXPECT_OK(mesh->SetMesh(data));
  return mesh;
}

class Collision : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::FreshState();
    objects = scene::SceneObjects{};
    EXPECT_OK(rm::CreateFrame(nullptr, &objects.sceneRoot));
  }
  void TearDown() override { objects = scene::SceneObjects{}; }
  scene::Ref<rm::Frame> AddSquare(float y, float h = 10) {
    scene::Ref<rm::Frame> f;
    EXPECT_OK(rm::CreateFrame(objects.sceneRoot.get(), &f));
    EXPECT_OK(f->AddVisual(Square(y, h)));
    return f;
  }
};

}  // namespace

TEST_F(Collision, SegmentEndingExactlyOnTheSurfaceIsClear) {
  AddSquare(0);
  EXPECT_EQ(game::ProbeHit({1, 5, 1}, {1, 0, 1}), Contact::Clear);
  EXPECT_EQ(game::ProbeHit({1, 5, 1}, {1, -0.01f, 1}), Contact::Solid);
  EXPECT_EQ(game::ProbeHit({1, 5, 1}, {1, 10, 1}), Contact::Clear) << "only hits in front of the start count";
}

TEST_F(Collision, TwoSurfacesInOnePlaceAreCoincidentNotSolid) {
  AddSquare(2);
  AddSquare(2);
  EXPECT_EQ(game::ProbeHit({3, 5, 3}, {3, -1, 3}), Contact::Coincident);
  EXPECT_TRUE(game::ProbeSecondHit({3, 5, 3}, {3, -1, 3}));
  EXPECT_FALSE(game::ProbeSecondHit({3, 5, 3}, {3, 2.5f, 3}));
}

TEST_F(Collision, SecondHitNeedsTwoSurfacesInsideTheSegment) {
  AddSquare(0);
  AddSquare(-3);
  EXPECT_FALSE(game::ProbeSecondHit({0, 1, 0}, {0, -2, 0}));
  EXPECT_TRUE(game::ProbeSecondHit({0, 1, 0}, {0, -4, 0}));
  EXPECT_EQ(game::ProbeHit({0, 1, 0}, {0, -4, 0}), Contact::Solid) << "two surfaces at different depths are solid";
}

namespace {

class TableEdge : public Collision {
 protected:
  void SetUp() override {
    Collision::SetUp();
    auto make = [](scene::Ref<rm::Frame>& f, scene::Ref<rm::Frame>& parent, Vec3 p) {
      EXPECT_OK(rm::CreateFrame(parent.get(), &f));
      EXPECT_OK(f->SetPosition(parent.get(), p));
    };
    make(objects.fallRefFrame, objects.sceneRoot, {-50, 0, -100});
    make(objects.baseFrame, objects.sceneRoot, {0, 0.1f, 40});
    make(objects.tableCorner[1], objects.sceneRoot, {45, 0, -3});
    make(objects.tableCorner[2], objects.sceneRoot, {-45, 0, -3});
    make(objects.tableCorner[3], objects.sceneRoot, {45, 0, 81});
    make(objects.tableCorner[4], objects.sceneRoot, {-45, 0, 81});
    const Vec3 wheels[] = {{2.5f, 1, -3.7f}, {2.5f, 1, 3.7f}, {-2.5f, 1, -3.7f}, {-2.5f, 1, 3.7f}};
    for (int i = 1; i <= 4; ++i) make(objects.wheelProbe[i], objects.baseFrame, wheels[i - 1]);
  }
  void PlaceBase(float x, float z) { EXPECT_OK(objects.baseFrame->SetPosition(objects.sceneRoot.get(), x, 0.1f, z)); }
};

}  // namespace

TEST_F(TableEdge, InsideOnTheLeftAndTopEdgeOutsideOnTheRightAndBottom) {
  EXPECT_TRUE(game::TableEdgeInside().inside);
  PlaceBase(-45 + 2.5f, 40);  // the left wheels exactly on the left edge
  EXPECT_TRUE(game::TableEdgeInside().inside);
  PlaceBase(45 - 2.5f, 40);  // the right wheels exactly on the right edge
  EXPECT_FALSE(game::TableEdgeInside().inside);
  PlaceBase(0, -3 + 3.7f);  // the front wheels exactly on the top edge
  EXPECT_TRUE(game::TableEdgeInside().inside);
  PlaceBase(0, 81 - 3.7f);  // the rear wheels exactly on the bottom edge
  EXPECT_FALSE(game::TableEdgeInside().inside);
}

TEST_F(TableEdge, OffsetPointsFromTheChassisToTheWheelThatLeft) {
  PlaceBase(44, 40);
  game::TableEdge edge = game::TableEdgeInside();
  ASSERT_FALSE(edge.inside);
  EXPECT_FLOAT_EQ(edge.offsetX, 2.5f);
  EXPECT_NEAR(edge.offsetZ, -3.7f, 1e-4f);
  PlaceBase(-44, 40);
  edge = game::TableEdgeInside();
  ASSERT_FALSE(edge.inside);
  EXPECT_FLOAT_EQ(edge.offsetX, -2.5f);
}

TEST_F(Collision, TheLoadInTheBucketIsNoObstacle) {
  objects.carryMilkFrame = AddSquare(1);
  EXPECT_EQ(game::ProbeHit({2, 5, 2}, {2, -1, 2}), Contact::Clear);
  AddSquare(0);
  EXPECT_EQ(game::ProbeHit({2, 5, 2}, {2, -1, 2}), Contact::Solid) << "what lies beyond the load still counts";
}
