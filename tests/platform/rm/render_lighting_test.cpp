// Qualities and 8-bit output, seen in rendered pixels. How lights and shadows
// fall on the game's own scene shows in the golden pictures.
#include <cmath>

#include "platform/rm/render_scene_fixture.h"
#include "platform/surface/system_palette.h"
#include "support/succeeds.h"

namespace platform::rm::testing {
namespace {

constexpr float kPi = 3.14159265f;
const Color kWhite{1, 1, 1, 1};

// The front of a cylinder around the y axis at depth 6: shared vertices, so
// its normals turn smoothly from face to face.
MeshData CurvedStrip() {
  MeshData m;
  const int kSteps = 6;
  for (int i = 0; i <= kSteps; ++i) {
    float a = (-60.0f + 120.0f * static_cast<float>(i) / kSteps) * kPi / 180.0f;
    m.positions.push_back({2 * std::sin(a), -1, 6 - 2 * std::cos(a)});
    m.positions.push_back({2 * std::sin(a), 1, 6 - 2 * std::cos(a)});
  }
  for (std::uint32_t i = 0; i < kSteps; ++i) {
    m.faceSizes.push_back(4);
    for (std::uint32_t k : {2 * i, 2 * i + 1, 2 * i + 3, 2 * i + 2}) m.faceIndices.push_back(k);
    m.faceColors.push_back(kWhite);
  }
  return m;
}

class RenderLighting : public SceneTest {
 protected:
  void SetUp() override {
    SceneTest::SetUp();
    EXPECT_OK(ambient->SetColorRGB(0, 0, 0));
  }
};

TEST_F(RenderLighting, EachQualityDrawsAsItShould) {
  AddLight(LightType::Point, 1, {3, 0, 0});
  Ref<MeshBuilder> strip = AddMesh(CurvedStrip());
  // Two pixels inside the middle-right face of the strip, and its centre.
  auto left = [&] { return At(36, 32); };
  auto right = [&] { return At(39, 32); };

  auto drawWith = [&](Quality quality) {
    ASSERT_EQ(device->SetQuality(quality), kOk);
    Draw();
  };
  drawWith(kRenderGouraud);
  Rgb gouraudLeft = left();
  EXPECT_NE(left(), right());  // light varies across the face
  EXPECT_GT(left().r, 0u);
  EXPECT_EQ(left().r, left().b);  // white stays grey under a white light

  drawWith(kRenderFlat);
  EXPECT_EQ(left(), right());  // one light per face
  EXPECT_GT(left().r, 0u);
  EXPECT_NE(left(), gouraudLeft);

  drawWith(kRenderPhong);
  EXPECT_EQ(left(), gouraudLeft);  // drawn as Gouraud

  drawWith(kRenderUnlitFlat);
  EXPECT_EQ(left(), (Rgb{255, 255, 255}));  // the face's own colour, light or not

  drawWith(kRenderWireframe);
  EXPECT_TRUE(IsBackground(34, 32));  // inside a face: nothing
  int edgePixels = 0;
  for (int x = 0; x < kSize; ++x) edgePixels += !IsBackground(x, 20);
  EXPECT_GE(edgePixels, 7);   // the strip's seven vertical edges cross this row
  EXPECT_LE(edgePixels, 14);  // and nothing else does
  // A face is drawn with the lower of the device's and the mesh's quality.
  ASSERT_EQ(strip->SetQuality(kRenderUnlitFlat), kOk);
  drawWith(kRenderGouraud);
  EXPECT_EQ(left(), (Rgb{255, 255, 255}));
  EXPECT_EQ(device->SetQuality(0x1234), kErrBadValue);
  EXPECT_EQ(device->GetQuality(), kRenderGouraud);
}

TEST_F(RenderLighting, EightBitOutputGoesThroughThePalette) {
  auto palette = MakeRef<surface::Palette>(surface::SystemPaletteEntries());
  Build(8, palette);
  // The device fills 10-245 with its ramp and leaves the static colours.
  EXPECT_EQ(palette->Entries()[10].red, 0);
  EXPECT_EQ(palette->Entries()[245].red, palette->Entries()[245].green);
  EXPECT_EQ(palette->Entries()[249].red, 255);
  EXPECT_EQ(palette->Entries()[250].green, 255);

  AddMesh(Square(0, 0, 4, 1, Color{1, 0.6f, 0.2f, 1}));
  Draw();
  Rgb c = At(32, 32);  // the entry the pixel names
  for (auto [got, want] : {std::pair{c.r, 255u}, {c.g, 153u}, {c.b, 51u}}) EXPECT_NEAR(got, want, 26);
  EXPECT_TRUE(IsBackground(0, 0));
}

}  // namespace
}  // namespace platform::rm::testing
