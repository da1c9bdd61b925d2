#pragma once
// A small scene for drawing tests: a 64x64 device, a camera at the origin
// looking along +z, helpers to add quads and boxes and to read pixels.
#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>

#include "platform/rm/device.h"
#include "platform/rm/rm_object.h"
#include "platform/rm/viewport.h"
#include "platform/surface/pixel_format.h"
#include "support/succeeds.h"

namespace platform::rm::testing {

struct Rgb {
  unsigned r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

inline std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << c.r << "," << c.g << "," << c.b << ")";
}

class SceneTest : public ::testing::Test {
 protected:
  static constexpr int kSize = 64;

  void SetUp() override { Build(24); }

  void Build(int bpp, Ref<surface::Palette> palette = nullptr) {
    namespace caps = surface::caps;
    back = MakeRef<surface::Surface>(kSize, kSize, bpp, caps::kBackBuffer);
    if (palette) EXPECT_OK(back->SetPalette(palette));
    zbuf = MakeRef<surface::Surface>(kSize, kSize, 16, caps::kZBuffer);
    ASSERT_EQ(Device::Create(back, zbuf, &device), kOk);
    ASSERT_EQ(CreateFrame(nullptr, &root), kOk);
    ASSERT_EQ(CreateFrame(root.get(), &camera), kOk);
    ASSERT_EQ(Viewport::Create(device, camera, 0, 0, kSize, kSize, &viewport), kOk);
    EXPECT_OK(root->SetSceneBackgroundRGB(0, 0, 0));
    // Full ambient light: faces show their own colours unless a test dims it.
    ASSERT_EQ(CreateLight(LightType::Ambient, 1, 1, 1, &ambient), kOk);
    EXPECT_OK(root->AddLight(ambient));
  }

  // A light of the given type on a new frame at pos.
  void AddLight(LightType type, float grey, Vec3 pos = {}) {
    Ref<Light> light;
    Ref<Frame> f;
    ASSERT_EQ(CreateLight(type, grey, grey, grey, &light), kOk);
    ASSERT_EQ(CreateFrame(root.get(), &f), kOk);
    EXPECT_OK(f->SetPosition(root.get(), pos));
    EXPECT_OK(f->AddLight(light));
  }

  // A square facing the camera at depth z, half size h, centred on (x, y).
  static MeshData Square(float x, float y, float z, float h, Color c) {
    MeshData m;
    m.positions = {{x - h, y - h, z}, {x - h, y + h, z}, {x + h, y + h, z}, {x + h, y - h, z}};
    m.faceSizes = {4};
    m.faceIndices = {0, 1, 2, 3};
    m.faceColors = {c};
    return m;
  }

  Ref<MeshBuilder> AddMesh(const MeshData& data, Frame* parent = nullptr) {
    Ref<MeshBuilder> mesh;
    Ref<Frame> f;
    EXPECT_EQ(CreateMeshBuilder(&mesh), kOk);
    EXPECT_EQ(mesh->SetMesh(data), kOk);
    EXPECT_EQ(CreateFrame(parent ? parent : root.get(), &f), kOk);
    EXPECT_OK(f->AddVisual(mesh));
    return mesh;
  }

  void Draw() {
    ASSERT_EQ(viewport->Clear(), kOk);
    ASSERT_EQ(viewport->Render(root.get()), kOk);
    ASSERT_EQ(device->Update(), kOk);
  }

  // Read only: a write would make the device forget what it knows of the rows.
  Rgb At(int x, int y) const {
    const surface::Surface& pixels = *back;
    const std::uint8_t* p = pixels.Row(y) + x * back->BytesPerPixel();
    switch (back->BitsPerPixel()) {
      case 24: return {p[2], p[1], p[0]};
      case 16: {
        std::uint32_t c = surface::ExpandRgb565(static_cast<std::uint16_t>(p[0] | p[1] << 8));
        return {c >> 16, (c >> 8) & 0xFF, c & 0xFF};
      }
      default: {
        const auto& e = back->GetPalette()->Entries()[p[0]];
        return {e.red, e.green, e.blue};
      }
    }
  }
  bool IsBackground(int x, int y) const { return At(x, y) == Rgb{0, 0, 0}; }
  // Every step-th pixel in both directions is c.
  void ExpectEverywhere(Rgb c, int step = 1) const {
    for (int y = 0; y < kSize; y += step)
      for (int x = 0; x < kSize; x += step) ASSERT_EQ(At(x, y), c) << x << "," << y;
  }
  // Each of {x, y, colour} is drawn as given.
  void ExpectPixels(std::initializer_list<std::tuple<int, int, Rgb>> pixels) const {
    for (auto [x, y, c] : pixels) EXPECT_EQ(At(x, y), c) << x << "," << y;
  }

  Ref<surface::Surface> back, zbuf;
  Ref<Device> device;
  Ref<Frame> root, camera;
  Ref<Viewport> viewport;
  Ref<Light> ambient;
};

}  // namespace platform::rm::testing
