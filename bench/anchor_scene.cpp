#include "anchor_scene.h"

#include <cstdio>
#include <cstdlib>

#include "anchor_geometry.h"
#include "platform/rm/rm_object.h"

namespace bench {
namespace {

using platform::rm::Vec3;

void Check(platform::HResult r, const char* what) {
  if (platform::Failed(r)) {
    std::fprintf(stderr, "anchor scene: %s failed (0x%08X)\n", what, static_cast<unsigned>(r.Code()));
    std::abort();
  }
}

}  // namespace

AnchorScene::AnchorScene(int width, int height, int bpp, bool translucent) {
  namespace rm = platform::rm;
  namespace caps = platform::surface::caps;
  backBuffer = platform::MakeRef<platform::surface::Surface>(width, height, bpp, caps::kBackBuffer | caps::k3DDevice);
  zBuffer = platform::MakeRef<platform::surface::Surface>(width, height, 16, caps::kZBuffer);
  Check(rm::Device::Create(backBuffer, zBuffer, &device), "device");
  Check(device->SetQuality(rm::kRenderGouraud), "quality");
  Check(device->SetRenderMode(rm::kRenderModeBlendedTransparency), "render mode");

  Check(rm::CreateFrame(nullptr, &root), "root");
  Check(root->SetSceneBackgroundRGB(anchor::kBackground.x, anchor::kBackground.y, anchor::kBackground.z), "background");
  platform::Ref<rm::Light> ambient, point;
  Check(rm::CreateLight(rm::LightType::Ambient, anchor::kAmbient.x, anchor::kAmbient.y, anchor::kAmbient.z, &ambient),
        "ambient");
  Check(root->AddLight(ambient), "add ambient");
  platform::Ref<rm::Frame> lightFrame;
  Check(rm::CreateFrame(root.get(), &lightFrame), "light frame");
  const Vec3 light = anchor::kPointLight;
  Check(lightFrame->SetPosition(root.get(), light.x, light.y, light.z), "light position");
  Check(rm::CreateLight(rm::LightType::Point, 1, 1, 1, &point), "point");
  Check(lightFrame->AddLight(point), "add point");

  Check(rm::CreateMeshBuilder(&mesh), "mesh");
  Check(mesh->SetMesh(anchor::Mesh(translucent)), "mesh data");
  Check(rm::CreateFrame(root.get(), &geometry), "geometry frame");
  Check(geometry->AddVisual(mesh), "add mesh");

  Check(rm::CreateFrame(root.get(), &camera), "camera");
  Check(camera->SetPosition(root.get(), anchor::kEye.x, anchor::kEye.y, anchor::kEye.z), "camera position");
  Check(camera->SetOrientation(root.get(), anchor::kLookAt - anchor::kEye, Vec3{0, 1, 0}), "camera aim");
  Check(rm::Viewport::Create(device, camera, 0, 0, width, height, &viewport), "viewport");
  Check(viewport->SetField(anchor::kField), "field");
  Check(viewport->SetFront(anchor::kFront), "front plane");
  Check(viewport->SetBack(anchor::kBack), "back plane");
}

AnchorScene::~AnchorScene() = default;

void AnchorScene::DrawFrame() {
  Check(viewport->Clear(), "clear");
  Check(viewport->Render(root.get()), "render");
  Check(device->Update(), "update");
}

int AnchorScene::TriangleCount() const { return static_cast<int>(mesh->Triangles().size()); }

}  // namespace bench
