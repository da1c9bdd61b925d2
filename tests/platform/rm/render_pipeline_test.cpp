// Whole renders through the viewport: projection, qualities, depth, planes,
// blending and inputs that must not draw garbage.
#include <cmath>
#include <limits>
#include <vector>

#include "platform/rm/render_scene_fixture.h"
#include "support/succeeds.h"

namespace platform::rm::testing {
namespace {

const Color kRed{1, 0, 0, 1}, kBlue{0, 0, 1, 1};

using RenderPipeline = SceneTest;

TEST_F(RenderPipeline, ProjectionPutsAKnownPointOnItsPixel) {
  // 64 wide: scale = front / field * 32 = 64 pixels per unit at z = 1.
  float px = 0, py = 0;
  ASSERT_TRUE(viewport->Project({1, 0.5f, 4}, &px, &py));
  EXPECT_FLOAT_EQ(px, 32 + 16);
  EXPECT_FLOAT_EQ(py, 32 - 8);
  EXPECT_FALSE(viewport->Project({0, 0, 0.5f}, &px, &py));  // before the front plane
  // A small square there lands on that pixel and not on the opposite one.
  AddMesh(Square(1, 0.5f, 4, 0.05f, kRed));
  Draw();
  EXPECT_EQ(At(48, 23), (Rgb{255, 0, 0}));
  EXPECT_TRUE(IsBackground(16, 40));
  // Uniform scaling: on a wide viewport the field spans the width.
  Ref<Viewport> wide;
  ASSERT_EQ(Viewport::Create(device, camera, 0, 16, 64, 32, &wide), kOk);
  ASSERT_TRUE(wide->Project({1, 0.5f, 4}, &px, &py));
  EXPECT_FLOAT_EQ(px, 48);
  EXPECT_FLOAT_EQ(py, 16 + 16 - 8);
}

TEST_F(RenderPipeline, NearerFaceWinsWhicheverIsDrawnFirst) {
  AddMesh(Square(0, 0, 4, 1, kRed));
  AddMesh(Square(0, 0, 3, 0.5f, kBlue));
  AddMesh(Square(0, 0, 5, 2, Color{0, 1, 0, 1}));
  Draw();
  ExpectPixels({{32, 32, {0, 0, 255}}, {20, 32, {255, 0, 0}}, {8, 32, {0, 255, 0}}, {4, 32, {0, 0, 0}}});
}

TEST_F(RenderPipeline, BackFacesAreNotDrawn) {
  MeshData m = Square(0, 0, 4, 1, kRed);
  m.faceIndices = {3, 2, 1, 0};  // counter-clockwise seen from the camera
  AddMesh(m);
  Draw();
  EXPECT_TRUE(IsBackground(32, 32));
}

TEST_F(RenderPipeline, FrontAndBackPlanesClip) {
  ASSERT_EQ(viewport->SetBack(10), kOk);
  AddMesh(Square(0, 0, 0.5f, 0.2f, kRed));  // wholly before the front plane
  AddMesh(Square(0, 0, 20, 10, kBlue));     // wholly beyond the back plane
  Draw();
  ExpectEverywhere({0, 0, 0}, 4);
  // A floor running from behind the camera to past the back plane is cut
  // at both: drawn below the horizon, and the far part left out.
  MeshData floor;
  floor.positions = {{-5, -1, -5}, {-5, -1, 50}, {5, -1, 50}, {5, -1, -5}};
  floor.faceSizes = {4};
  floor.faceIndices = {0, 1, 2, 3};
  floor.faceColors = {Color{0, 1, 0, 1}};
  AddMesh(floor);
  Draw();
  // Near the camera at the front plane; at the back plane (z = 10) 6.4 pixels below the centre.
  ExpectPixels({{32, 63, {0, 255, 0}}, {32, 40, {0, 255, 0}}});
  EXPECT_TRUE(IsBackground(32, 37));
  ASSERT_EQ(viewport->SetBack(100), kOk);
  Draw();
  EXPECT_EQ(At(32, 37), (Rgb{0, 255, 0}));  // reaches further now
}

TEST_F(RenderPipeline, HalfTransparentRedOverBlueIsPurple) {
  ASSERT_EQ(device->SetRenderMode(kRenderModeBlendedTransparency), kOk);
  // The translucent face comes first in the tree but is drawn after.
  AddMesh(Square(0, 0, 3, 1, Color{1, 0, 0, 0.5f}));
  AddMesh(Square(0, 0, 4, 2, kBlue));
  Draw();
  Rgb c = At(32, 32);
  EXPECT_NEAR(c.r, 128, 2);
  EXPECT_EQ(c.g, 0u);
  EXPECT_NEAR(c.b, 127, 2);
  EXPECT_EQ(At(4, 32), (Rgb{0, 0, 255}));
  // A translucent face behind an opaque one is hidden, whatever the order.
  AddMesh(Square(0, 0, 2, 0.2f, Color{0, 1, 0, 1}));
  Draw();
  EXPECT_EQ(At(32, 32), (Rgb{0, 255, 0}));
  // Two translucent faces blend back to front.
  AddMesh(Square(0, 0, 2.5f, 0.5f, Color{1, 1, 1, 0.5f}));
  Draw();
  Rgb layered = At(32, 22);  // white over (red over blue)
  EXPECT_NEAR(layered.r, 191, 3);
  EXPECT_NEAR(layered.g, 127, 3);
  EXPECT_NEAR(layered.b, 191, 3);
}

// A rippled sheet of 576 lit quads, every third translucent, leaning back
// from below the front plane: large enough for its faces to be queued by
// several threads at once, in parts, some of them clipped. With `shared`,
// the quads share their corners and each has its own normal, so that a
// corner comes with up to four normals (lit corner by corner).
MeshData Ripples(float lift, bool shared) {
  MeshData m;
  constexpr int kSide = 24;
  auto at = [lift](int i, int j) {
    const float x = static_cast<float>(i) * 0.1f - 1.2f, y = static_cast<float>(j) * 0.1f - 1.2f;
    return Vec3{x, y + lift, 2.2f + 0.9f * y + 0.3f * std::sin(3 * x) * std::cos(2 * y)};
  };
  auto grid = [](int i, int j) { return static_cast<std::uint32_t>(i * (kSide + 1) + j); };
  if (shared)
    for (int i = 0; i <= kSide; ++i)
      for (int j = 0; j <= kSide; ++j) m.positions.push_back(at(i, j));
  for (int i = 0; i < kSide; ++i)
    for (int j = 0; j < kSide; ++j) {
      if (shared) {
        m.faceIndices.insert(m.faceIndices.end(), {grid(i, j), grid(i, j + 1), grid(i + 1, j + 1), grid(i + 1, j)});
        const auto normal = static_cast<std::uint32_t>(m.normals.size());
        m.normals.push_back(Vec3{std::sin(static_cast<float>(i)), 0.5f, -1.0f});
        m.faceNormalIndices.insert(m.faceNormalIndices.end(), 4, normal);
      } else {
        const auto first = static_cast<std::uint32_t>(m.positions.size());
        m.positions.insert(m.positions.end(), {at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)});
        for (std::uint32_t k = 0; k < 4; ++k) m.faceIndices.push_back(first + k);
      }
      m.faceSizes.push_back(4);
      const float shade = static_cast<float>((i * 7 + j * 3) % 10) / 10;
      m.faceColors.push_back(Color{shade, 1 - shade, 0.5f, (i + j) % 3 == 0 ? 0.4f : 1.0f});
    }
  return m;
}

// Overlapping opaque and translucent faces at many depths, drawn whole, band
// by band (eight rows a band, the fewest), and with the bands shared by three
// and by eight threads (faces crossing from one thread's rows into the next,
// where the threads' runs end as sized by how fast they went last time):
// the same colours and depths, byte for byte.
TEST_F(RenderPipeline, BandByBandDrawsTheSamePictureAsWholeOnAnyThreads) {
  ASSERT_EQ(device->SetRenderMode(kRenderModeBlendedTransparency), kOk);
  AddLight(LightType::Point, 0.8f, {-3, 2, 0});
  EXPECT_OK(ambient->SetColorRGB(0.3f, 0.3f, 0.3f));
  for (int k = 0; k < 24; ++k) {
    const float x = static_cast<float>(k % 5) * 0.45f - 0.9f, y = static_cast<float>(k % 7) * 0.3f - 0.9f;
    const Color c{static_cast<float>(k % 3) / 2, static_cast<float>(k % 4) / 3, 0.7f, k % 3 == 0 ? 0.5f : 1.0f};
    AddMesh(Square(x, y, 3.0f + static_cast<float>(k % 6) * 0.25f, 0.5f + static_cast<float>(k % 4) * 0.2f, c));
  }
  AddMesh(Ripples(0.0f, false));
  AddMesh(Ripples(0.35f, true));
  struct Way {
    bool banded;
    int threads;
    int bandBytes = 1;  // eight rows a band
  };
  // Three threads without banding draw each run's opaque faces whole, and
  // its translucent ones by bands. The last way has the whole picture in
  // one band, after ways of eight rows.
  constexpr int kWays = 6;
  std::vector<std::uint8_t> pictures[kWays], depths[kWays];
  const Way ways[kWays] = {{false, 1}, {true, 1}, {false, 3}, {true, 3}, {true, 8}, {true, 1, 1 << 20}};
  for (int w = 0; w < kWays; ++w) {
    device->SetBanding(ways[w].banded ? 0 : std::int64_t{1} << 40, ways[w].bandBytes);
    device->SetThreads(ways[w].threads);
    for (int again = 0; again < (ways[w].threads > 1 ? 4 : 1); ++again) {
      Draw();
      pictures[w].assign(back->Row(0), back->Row(0) + kSize * back->Pitch());
      depths[w].assign(zbuf->Row(0), zbuf->Row(0) + kSize * zbuf->Pitch());
      EXPECT_TRUE(pictures[w] == pictures[0]) << "colours of way " << w << ", picture " << again;
      EXPECT_TRUE(depths[w] == depths[0]) << "depths of way " << w << ", picture " << again;
    }
  }
}

TEST_F(RenderPipeline, WithoutBlendedTransparencyAlphaIsIgnored) {
  AddMesh(Square(0, 0, 3, 1, Color{1, 0, 0, 0.5f}));
  AddMesh(Square(0, 0, 4, 2, kBlue));
  Draw();
  EXPECT_EQ(At(32, 32), (Rgb{255, 0, 0}));
}

TEST_F(RenderPipeline, ClearPaintsTheCameraScenesBackground) {
  EXPECT_OK(root->SetSceneBackgroundRGB(0.2f, 0.4f, 0.6f));
  ASSERT_EQ(viewport->Clear(), kOk);
  ExpectPixels({{0, 0, {51, 102, 153}}, {63, 63, {51, 102, 153}}});
  // A viewport on part of the device clears only its rectangle.
  Ref<Viewport> part;
  EXPECT_OK(root->SetSceneBackgroundRGB(1, 1, 1));
  ASSERT_EQ(Viewport::Create(device, camera, 8, 8, 8, 8, &part), kOk);
  ASSERT_EQ(part->Clear(), kOk);
  ExpectPixels({{8, 8, {255, 255, 255}}, {7, 8, {51, 102, 153}}, {16, 16, {51, 102, 153}}});
}

TEST_F(RenderPipeline, CameraInsideABoxSeesNothingWrong) {
  // A box around the camera with faces outward: every face is a back face
  // or crosses the front plane; nothing may come out but background.
  MeshData box;
  box.positions = {{-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}, {1, -1, -1}, {-1, -1, 1}, {-1, 1, 1}, {1, 1, 1}, {1, -1, 1}};
  box.faceSizes = {4, 4, 4, 4, 4, 4};
  box.faceIndices = {0, 1, 2, 3, 7, 6, 5, 4, 4, 5, 1, 0, 3, 2, 6, 7, 1, 5, 6, 2, 4, 0, 3, 7};
  box.faceColors.assign(6, kRed);
  AddMesh(box);
  Draw();
  ExpectEverywhere({0, 0, 0});
  // Turned inside out, the same box surrounds the camera with front faces:
  // the far one fills the view, the ones through the front plane are cut.
  for (std::size_t f = 0; f < 6; ++f) std::swap(box.faceIndices[4 * f + 1], box.faceIndices[4 * f + 3]);
  AddMesh(box);
  Draw();
  ExpectEverywhere({255, 0, 0});
}

TEST_F(RenderPipeline, DegenerateFacesDrawNothing) {
  MeshData m;
  m.positions = {{-1, -1, 4}, {0, 0, 4}, {1, 1, 4}, {1, 1, 4}, {2, 0, 4}};
  m.faceSizes = {3, 3};
  m.faceIndices = {0, 1, 2, 2, 3, 4};  // collinear; two corners at one point
  m.faceColors = {kRed, kRed};
  AddMesh(m);
  // The camera on the plane of a face sees it edge-on.
  MeshData edge;
  edge.positions = {{0, -1, 2}, {0, 1, 2}, {0, 1, 6}, {0, -1, 6}};
  edge.faceSizes = {4};
  edge.faceIndices = {0, 1, 2, 3};
  AddMesh(edge);
  Draw();
  ExpectEverywhere({0, 0, 0});
}

TEST_F(RenderPipeline, ViewportRefusesBadPlanesAndFields) {
  EXPECT_EQ(viewport->SetFront(0), kErrBadValue);
  EXPECT_EQ(viewport->SetFront(std::numeric_limits<float>::quiet_NaN()), kErrBadValue);
  EXPECT_EQ(viewport->SetBack(0.5f), kErrBadValue);  // not beyond the front plane
  EXPECT_EQ(viewport->SetField(-1), kErrBadValue);
  EXPECT_EQ(viewport->SetField(std::numeric_limits<float>::infinity()), kErrBadValue);
  EXPECT_EQ(std::tuple(viewport->GetFront(), viewport->GetBack(), viewport->GetField()),
            std::tuple(1.0f, 100.0f, 0.5f));
  Ref<Viewport> v;
  EXPECT_EQ(Viewport::Create(device, camera, 60, 0, 8, 8, &v), kErrBadValue);
  EXPECT_EQ(Viewport::Create(device, nullptr, 0, 0, 8, 8, &v), kErrBadObject);
  EXPECT_EQ(viewport->Render(nullptr), kErrBadObject);
}

}  // namespace
}  // namespace platform::rm::testing
