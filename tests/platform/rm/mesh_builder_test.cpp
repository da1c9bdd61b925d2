#include <gtest/gtest.h>

#include <cmath>

#include "platform/rm/rm_object.h"

namespace platform::rm {
namespace {

constexpr float kEps = 1e-5f;

Ref<MeshBuilder> Build(const MeshData& data) {
  Ref<MeshBuilder> mesh;
  EXPECT_EQ(CreateMeshBuilder(&mesh), kOk);
  EXPECT_EQ(mesh->SetMesh(data), kOk);
  return mesh;
}

void AddFace(MeshData* m, std::initializer_list<std::uint32_t> indices) {
  m->faceSizes.push_back(static_cast<std::uint32_t>(indices.size()));
  m->faceIndices.insert(m->faceIndices.end(), indices);
}

// A unit cube whose corners are shared by three faces each, every face
// clockwise seen from outside.
MeshData Cube() {
  MeshData m;
  for (int i = 0; i < 8; ++i) {
    m.positions.push_back(
        {static_cast<float>(i & 1), static_cast<float>((i >> 1) & 1), static_cast<float>((i >> 2) & 1)});
  }
  // z = 0 (seen from -z), z = 1, y = 0, y = 1, x = 0, x = 1.
  for (auto face :
       {std::array<std::uint32_t, 4>{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}})
    AddFace(&m, {face[0], face[1], face[2], face[3]});
  return m;
}

TEST(MeshBuilder, PolygonsBecomeFansInTheirWinding) {
  MeshData m;
  for (int i = 0; i < 5; ++i) {
    float a = -static_cast<float>(i) * 2.0f * 3.14159265f / 5.0f;  // clockwise seen from -z
    m.positions.push_back({std::cos(a), std::sin(a), 0});
  }
  AddFace(&m, {0, 1});  // too few vertices: a face without triangles
  AddFace(&m, {0, 1, 2, 3, 4});
  Ref<MeshBuilder> mesh = Build(m);
  ASSERT_EQ(mesh->Faces().size(), 2u);
  EXPECT_EQ(mesh->Faces()[0].triangleCount, 0u);
  ASSERT_EQ(mesh->Triangles().size(), 3u);
  const MeshFace& face = mesh->Faces()[1];
  EXPECT_EQ(face.firstTriangle, 0u);
  EXPECT_EQ(face.triangleCount, 3u);
  const std::array<std::uint32_t, 3> expected[] = {{0, 1, 2}, {0, 2, 3}, {0, 3, 4}};
  for (int t = 0; t < 3; ++t) {
    EXPECT_EQ(mesh->Triangles()[t].vertex, expected[t]);
    EXPECT_EQ(mesh->Triangles()[t].face, 1u);
  }
  // Clockwise seen from -z: the front faces -z.
  EXPECT_NEAR(face.normal.z, -1.0f, kEps);
}

TEST(MeshBuilder, MissingNormalsComeFromTheAdjacentFaces) {
  Ref<MeshBuilder> mesh = Build(Cube());
  const float r = 1.0f / std::sqrt(3.0f);
  ASSERT_EQ(mesh->Normals().size(), 8u);
  // Corner 0 touches the faces facing -x, -y and -z.
  EXPECT_LT(Length(mesh->Normals()[0] - Vec3{-r, -r, -r}), kEps);
  EXPECT_NEAR(mesh->Normals()[7].x, r, kEps);
  EXPECT_NEAR(mesh->Faces()[5].normal.x, 1.0f, kEps);
  for (const MeshTriangle& t : mesh->Triangles()) EXPECT_EQ(t.normal, t.vertex);
  EXPECT_FALSE(mesh->Bounds().empty);
  EXPECT_EQ(mesh->Bounds().min, (Vec3{0, 0, 0}));
  EXPECT_EQ(mesh->Bounds().max, (Vec3{1, 1, 1}));
}

TEST(MeshBuilder, InconsistentDataIsRefusedAndChangesNothing) {
  Ref<MeshBuilder> mesh = Build(Cube());
  using Spoil = void (*)(MeshData&);
  for (Spoil spoil : {Spoil{[](MeshData& m) { m.faceIndices[3] = 8; }}, Spoil{[](MeshData& m) { m.faceSizes[0] = 5; }},
                      Spoil{[](MeshData& m) { m.positions[0].y = std::nanf(""); }},
                      Spoil{[](MeshData& m) { m.faceColors.resize(2); }}, Spoil{[](MeshData& m) {
                        m.normals = {{0, 1, 0}};
                        m.faceNormalIndices.assign(m.faceIndices.size(), 1);
                      }},
                      Spoil{[](MeshData& m) { m.vertexColors.resize(3); }}}) {
    MeshData m = Cube();
    spoil(m);
    EXPECT_EQ(mesh->SetMesh(m), kErrBadValue);
  }
  EXPECT_EQ(mesh->Triangles().size(), 12u);
}

TEST(MeshBuilder, DegenerateFacesGiveZeroNormalsNotNaN) {
  MeshData m;
  m.positions = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}};
  AddFace(&m, {0, 1, 2});
  Ref<MeshBuilder> mesh = Build(m);
  EXPECT_EQ(mesh->Faces()[0].normal, (Vec3{}));
  for (Vec3 n : mesh->Normals()) EXPECT_EQ(n, (Vec3{}));
}

TEST(MeshBuilder, ShadowsRefuseMissingPartsAndFlatPlanes) {
  Ref<MeshBuilder> mesh = Build(Cube());
  Ref<Light> light;
  ASSERT_EQ(CreateLight(LightType::Point, 1, 1, 1, &light), kOk);
  Ref<Shadow> shadow;
  EXPECT_EQ(CreateShadow(mesh, nullptr, {0, 0.2f, 0}, {0, 1, 0}, &shadow), kErrBadObject);
  EXPECT_EQ(CreateShadow(mesh, light, {0, 0.2f, 0}, {0, 0, 0}, &shadow), kErrBadValue);
  ASSERT_EQ(CreateShadow(mesh, light, {0, 0.2f, 0}, {0, 2, 0}, &shadow), kOk);
  EXPECT_EQ(shadow->PlaneNormal(), (Vec3{0, 1, 0}));
  const Ref<Visual> visual = shadow;
  EXPECT_EQ(visual->AsShadow(), shadow.get());
  EXPECT_EQ(visual->AsMesh(), nullptr);
}

}  // namespace
}  // namespace platform::rm
