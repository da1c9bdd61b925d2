// The device and viewport as objects: creation checks, stored settings, the
// z-buffer they draw into, bookkeeping.
#include "platform/rm/render_scene_fixture.h"

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
  EXPECT_EQ(Device::Create(MakeSurface(8, 8, 16), MakeSurface(4, 8, 16, caps::kZBuffer), &d),
            kEInvalidArg);
  EXPECT_EQ(Device::Create(MakeSurface(8, 8, 16), MakeSurface(8, 8, 16), &d), kEInvalidArg);
  EXPECT_FALSE(d);
  EXPECT_EQ(Device::Create(MakeSurface(8, 8, 16), nullptr, nullptr), kEInvalidArg);
}

TEST(RenderDevice, SettingsAreStoredAndCheckedAsTheGameSetsThem) {
  Ref<Device> d;
  ASSERT_EQ(Device::Create(MakeSurface(8, 8, 16), nullptr, &d), kOk);
  EXPECT_EQ(d->GetQuality(), kRenderGouraud);
  EXPECT_EQ(d->GetColorModel(), kColorModelMono);
  EXPECT_EQ(d->SetBufferCount(2), kOk);
  EXPECT_EQ(d->GetBufferCount(), 2u);
  EXPECT_EQ(d->SetBufferCount(0), kErrBadValue);
  EXPECT_EQ(d->SetShades(32), kOk);
  EXPECT_EQ(d->SetShades(8), kOk);
  EXPECT_EQ(d->SetShades(12), kErrBadValue);
  EXPECT_EQ(d->GetShades(), 8u);
  EXPECT_EQ(d->SetDither(false), kOk);
  EXPECT_FALSE(d->GetDither());
  EXPECT_EQ(d->SetTextureQuality(1), kOk);
  EXPECT_EQ(d->GetTextureQuality(), 1u);
  EXPECT_EQ(d->SetDefaultTextureColors(64), kOk);
  EXPECT_EQ(d->SetDefaultTextureShades(32), kOk);
  EXPECT_EQ(d->GetDefaultTextureColors(), 64u);
  EXPECT_EQ(d->GetDefaultTextureShades(), 32u);
  EXPECT_EQ(d->SetQuality(kRenderFlat), kOk);
  EXPECT_EQ(d->SetQuality(kRenderWireframe), kOk);
  EXPECT_EQ(d->SetQuality(kFillSolid | kLightOn | 0x5), kErrBadValue);
  EXPECT_EQ(d->GetQuality(), kRenderWireframe);
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

TEST_F(RenderDeviceScene, ForceUpdateKeepsTheUnionUntilTheNextRender) {
  EXPECT_FALSE(viewport->ForcedArea(nullptr, nullptr, nullptr, nullptr));
  EXPECT_EQ(viewport->ForceUpdate(0, 0, 10, 10), kOk);
  EXPECT_EQ(viewport->ForceUpdate(5, 20, 30, 25), kOk);
  EXPECT_EQ(viewport->ForceUpdate(9, 9, 1, 1), kErrBadValue);
  int x1, y1, x2, y2;
  ASSERT_TRUE(viewport->ForcedArea(&x1, &y1, &x2, &y2));
  EXPECT_EQ(x1, 0);
  EXPECT_EQ(y1, 0);
  EXPECT_EQ(x2, 30);
  EXPECT_EQ(y2, 25);
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
