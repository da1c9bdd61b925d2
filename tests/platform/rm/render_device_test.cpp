// The device and viewport as the game sets them up: creation checks, the
// render options seen in the picture, the z-buffer they draw into.
#include <vector>

#include "platform/rm/render_scene_fixture.h"
#include "platform/surface/system_palette.h"
#include "support/succeeds.h"

namespace platform::rm::testing {
namespace {

namespace caps = surface::caps;

Ref<surface::Surface> MakeSurface(int w, int h, int bpp, std::uint32_t c = caps::kBackBuffer) {
  return MakeRef<surface::Surface>(w, h, bpp, c);
}

TEST(RenderDevice, CreationRefusesWhatItCannotDrawInto) {
  Ref<Device> d;
  EXPECT_EQ(Device::Create(nullptr, nullptr, &d), kEInvalidArg);
  EXPECT_EQ(Device::Create(MakeSurface(8, 8, 32), nullptr, &d), kEInvalidArg);
  EXPECT_EQ(Device::Create(MakeSurface(8, 8, 16, caps::kZBuffer), nullptr, &d), kEInvalidArg);
  EXPECT_EQ(Device::Create(MakeSurface(8, 8, 16), MakeSurface(4, 8, 16, caps::kZBuffer), &d), kEInvalidArg);
  EXPECT_EQ(Device::Create(MakeSurface(8, 8, 16), MakeSurface(8, 8, 16), &d), kEInvalidArg);
  EXPECT_FALSE(d);
  EXPECT_EQ(Device::Create(MakeSurface(8, 8, 16), nullptr, nullptr), kEInvalidArg);
}

using RenderDeviceScene = SceneTest;

TEST_F(RenderDeviceScene, DrawsDepthIntoTheAttachedZBuffer) {
  auto bb = MakeSurface(kSize, kSize, 16);
  auto z = MakeSurface(kSize, kSize, 16, caps::kZBuffer);
  ASSERT_EQ(bb->AddAttachedSurface(z), kOk);
  ASSERT_EQ(Device::Create(bb, nullptr, &device), kOk);
  ASSERT_EQ(Viewport::Create(device, camera, 0, 0, kSize, kSize, &viewport), kOk);
  AddMesh(Square(0, 0, 4, 1, Color{1, 0, 0, 1}));
  Draw();
  const float* depth = reinterpret_cast<const float*>(z->Row(32));
  EXPECT_FLOAT_EQ(depth[32], 0.25f);  // 1/z
  EXPECT_EQ(depth[1], 0.0f);          // cleared: farther than anything
}

// A clear writes the depth and colour only of rows that faces wrote since
// the last one: whatever moved, was drawn by a narrower viewport, in bands
// or not, or was written by someone else, and whatever colour the clear is,
// no depth or colour stays behind.
TEST_F(RenderDeviceScene, AClearLeavesNoDepthOrColourBehind) {
  Ref<Frame> holder;
  ASSERT_EQ(CreateFrame(root.get(), &holder), kOk);
  AddMesh(Square(0, 0, 4, 1, Color{1, 0, 0, 1}), holder.get());
  // A translucent face in front keeps the opaque ones going by bands.
  ASSERT_EQ(device->SetRenderMode(kRenderModeBlendedTransparency), kOk);
  AddMesh(Square(0, 0, 3.9f, 0.5f, Color{0, 1, 0, 0.5f}), holder.get());
  const surface::Surface& depth = *zbuf;  // read only: a write would make the device forget what it knows
  auto drawAt = [&](float y) {
    EXPECT_OK(holder->SetPosition(root.get(), 0, y, 0));
    Draw();
    for (int py = 0; py < kSize; ++py)
      for (int px = 0; px < kSize; ++px)
        ASSERT_EQ(reinterpret_cast<const float*>(depth.Row(py))[px] > 0, !IsBackground(px, py))
            << px << "," << py << " with the square at " << y;
  };
  for (std::int64_t bandedFrom : {std::int64_t{1} << 40, std::int64_t{0}}) {
    device->SetBanding(bandedFrom, 1);  // bands of eight rows
    for (float y : {-1.5f, 1.5f, 0.0f, 1.5f}) drawAt(y);
  }
  Ref<Viewport> narrow;
  ASSERT_EQ(Viewport::Create(device, camera, 0, 0, kSize / 2, kSize, &narrow), kOk);
  EXPECT_OK(holder->SetPosition(root.get(), 0, -1.5f, 0));
  ASSERT_EQ(narrow->Clear(), kOk);
  ASSERT_EQ(narrow->Render(root.get()), kOk);
  drawAt(0.0f);
  reinterpret_cast<float*>(zbuf->Row(kSize - 1))[3] = 0.5f;  // a background row
  drawAt(1.5f);
  back->Row(2)[5] = 0x5A;  // a background row's colour
  drawAt(1.5f);
  // Another background colour reaches the rows the last clear left alone.
  ASSERT_EQ(root->SetSceneBackgroundRGB(0, 0, 1), kOk);
  Draw();
  for (int py = 0; py < kSize; ++py)
    for (int px = 0; px < kSize; ++px)
      if (!(reinterpret_cast<const float*>(depth.Row(py))[px] > 0)) {
        ASSERT_EQ(At(px, py), (Rgb{0, 0, 255})) << px << "," << py;
      }
}

// The game's two set-ups of the device, judged by the picture: the 8-bit one
// draws flat faces, the other Gouraud, and the options the device has
// nothing to act on (shades, dither, texture quality, buffer count) leave
// every pixel as the quality alone draws it.
TEST_F(RenderDeviceScene, TheGamesSetUpsDrawAsTheirQualityAlone) {
  struct SetUp {
    int bpp;
    Quality quality;
    void (*apply)(Device&);
  };
  const SetUp setUps[] = {
      {8, kRenderFlat,
       [](Device& d) {
         for (HResult r : {d.SetBufferCount(2), d.SetDither(false), d.SetQuality(kRenderFlat), d.SetTextureQuality(0),
                           d.SetShades(8)})
           EXPECT_EQ(r, kOk);
       }},
      {16, kRenderGouraud,
       [](Device& d) {
         for (HResult r : {d.SetBufferCount(2), d.SetShades(32), d.SetQuality(kRenderGouraud), d.SetDither(false),
                           d.SetTextureQuality(1)})
           EXPECT_EQ(r, kOk);
       }},
  };
  auto picture = [&] {
    std::vector<Rgb> pixels;
    for (int y = 0; y < kSize; ++y)
      for (int x = 0; x < kSize; ++x) pixels.push_back(At(x, y));
    return pixels;
  };
  for (const SetUp& s : setUps) {
    Build(s.bpp, s.bpp == 8 ? MakeRef<surface::Palette>(surface::SystemPaletteEntries()) : nullptr);
    // A white square lit from close by on its right: its vertices catch the
    // light at very different angles.
    EXPECT_OK(ambient->SetColorRGB(0.2f, 0.2f, 0.2f));
    AddLight(LightType::Point, 1, {2, 0, 3});
    AddMesh(Square(0, 0, 4, 1.5f, Color{1, 1, 1, 1}));
    ASSERT_EQ(device->SetQuality(s.quality), kOk);
    Draw();
    const std::vector<Rgb> alone = picture();
    s.apply(*device);
    Draw();
    EXPECT_EQ(picture(), alone) << s.bpp << " bits";
    EXPECT_EQ(At(20, 32) == At(44, 32), s.quality == kRenderFlat) << s.bpp << " bits: one colour per face";
    EXPECT_FALSE(IsBackground(20, 32)) << s.bpp << " bits";
  }
}

TEST_F(RenderDeviceScene, TheViewportDrawsThroughItsLatestCamera) {
  AddMesh(Square(0, 0, 4, 1, Color{1, 0, 0, 1}));
  Ref<Frame> away;
  ASSERT_EQ(CreateFrame(root.get(), &away), kOk);
  ASSERT_EQ(away->SetOrientation(root.get(), 0, 0, -1, 0, 1, 0), kOk);
  Draw();
  EXPECT_EQ(At(32, 32), (Rgb{255, 0, 0}));
  ASSERT_EQ(viewport->SetCamera(away), kOk);
  Draw();
  EXPECT_TRUE(IsBackground(32, 32));
  EXPECT_EQ(viewport->SetCamera(nullptr), kErrBadObject);
  Draw();
  EXPECT_TRUE(IsBackground(32, 32)) << "a refused camera changes nothing";
}

}  // namespace
}  // namespace platform::rm::testing
