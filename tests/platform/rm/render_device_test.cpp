// The device and viewport as objects: creation checks, stored settings, the
// z-buffer they draw into, bookkeeping.
#include <tuple>

#include "platform/rm/render_scene_fixture.h"
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

TEST(RenderDevice, SettingsAreStoredAndCheckedAsTheGameSetsThem) {
  Ref<Device> d;
  ASSERT_EQ(Device::Create(MakeSurface(8, 8, 16), nullptr, &d), kOk);
  EXPECT_EQ(d->GetQuality(), kRenderGouraud);
  EXPECT_EQ(d->GetColorModel(), kColorModelMono);
  // Braced lists run in order: each refused value comes after an accepted one.
  const HResult results[] = {d->SetBufferCount(2),
                             d->SetBufferCount(0),
                             d->SetShades(32),
                             d->SetShades(8),
                             d->SetShades(12),
                             d->SetDither(false),
                             d->SetTextureQuality(1),
                             d->SetDefaultTextureColors(64),
                             d->SetDefaultTextureShades(32),
                             d->SetQuality(kRenderFlat),
                             d->SetQuality(kRenderWireframe),
                             d->SetQuality(kFillSolid | kLightOn | 0x5)};
  for (std::size_t i = 0; i < std::size(results); ++i)
    EXPECT_EQ(results[i], (i == 1 || i == 4 || i == 11) ? kErrBadValue : kOk) << "call " << i;
  EXPECT_EQ(std::tuple(d->GetBufferCount(), d->GetShades(), d->GetDither(), d->GetTextureQuality(),
                       d->GetDefaultTextureColors(), d->GetDefaultTextureShades(), d->GetQuality()),
            std::tuple(2u, 8u, false, 1u, 64u, 32u, kRenderWireframe));
  EXPECT_EQ(d->Update(), kOk);
  EXPECT_EQ(d->Update(), kOk);
  EXPECT_EQ(d->UpdateCount(), 2u);
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

TEST_F(RenderDeviceScene, ForceUpdateKeepsTheUnionUntilTheNextRender) {
  EXPECT_FALSE(viewport->ForcedArea(nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(viewport->ForceUpdate(0, 0, 10, 10), kOk);
  EXPECT_EQ(viewport->ForceUpdate(5, 20, 30, 25), kOk);
  EXPECT_EQ(viewport->ForceUpdate(9, 9, 1, 1), kErrBadValue);
  int x1, y1, x2, y2;
  ASSERT_TRUE(viewport->ForcedArea(&x1, &y1, &x2, &y2));
  EXPECT_EQ(std::tuple(x1, y1, x2, y2), std::tuple(0, 0, 30, 25));
  Draw();
  EXPECT_FALSE(viewport->ForcedArea(nullptr, nullptr, nullptr, nullptr));
}

TEST_F(RenderDeviceScene, CameraCanChangeAndOrthographicIsRefused) {
  Ref<Frame> other;
  ASSERT_EQ(CreateFrame(root.get(), &other), kOk);
  EXPECT_EQ(viewport->SetCamera(other), kOk);
  EXPECT_EQ(viewport->GetCamera(), other.get());
  EXPECT_EQ(viewport->SetCamera(nullptr), kErrBadObject);
  EXPECT_EQ(viewport->GetCamera(), other.get());
  EXPECT_EQ(viewport->SetProjection(kProjectionOrthographic), kErrNotDoneYet);
  EXPECT_EQ(viewport->GetProjection(), kProjectionPerspective);
}

}  // namespace
}  // namespace platform::rm::testing
