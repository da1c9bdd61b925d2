// zarn_model_preview OUT.png EYE_X EYE_Y EYE_Z AT_X AT_Y AT_Z MODEL ...
//
// Draws built models with the game's own renderer into a PNG, for looking
// at them. Each MODEL is FILE.x[@x,y,z[,degreesAboutX[,degreesAboutY]]][#AARRGGBB]:
// where its frame stands and, like the game's SetColor, a colour for every
// face. The camera stands at EYE looking at AT under a white point light.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

#include "platform/os/png_writer.h"
#include "platform/rm/device.h"
#include "platform/rm/mesh_builder.h"
#include "platform/rm/rm_object.h"
#include "platform/rm/viewport.h"
#include "platform/surface/pixel_format.h"

namespace {

using namespace platform;
using namespace platform::rm;

constexpr int kWidth = 480, kHeight = 360;

bool Number(const char* text, float* out) {
  char* end = nullptr;
  *out = std::strtof(text, &end);
  return end != text && *end == '\0' && std::isfinite(*out);
}

// FILE.x[@x,y,z[,ax[,ay]]][#AARRGGBB]
bool AddModel(Frame* root, std::string request) {
  std::uint32_t colour = 0;
  bool coloured = false;
  if (auto hash = request.find('#'); hash != std::string::npos) {
    colour = static_cast<std::uint32_t>(std::strtoul(request.c_str() + hash + 1, nullptr, 16));
    coloured = true;
    request.erase(hash);
  }
  std::vector<float> place;
  std::string file = request;
  if (auto at = request.find('@'); at != std::string::npos) {
    file = request.substr(0, at);
    std::string rest = request.substr(at + 1) + ",";
    for (std::size_t start = 0, comma; (comma = rest.find(',', start)) != std::string::npos; start = comma + 1) {
      float v = 0;
      if (!Number(rest.substr(start, comma - start).c_str(), &v)) return false;
      place.push_back(v);
    }
  }
  place.resize(5, 0.0f);
  Ref<MeshBuilder> mesh;
  Ref<Frame> frame;
  if (CreateMeshBuilder(&mesh) != kOk || mesh->Load(file) != kOk) return false;
  if (coloured) mesh->SetColor(colour);
  if (CreateFrame(root, &frame) != kOk) return false;
  const float rad = std::numbers::pi_v<float> / 180;
  const float ax = place[3] * rad, ay = place[4] * rad;
  // Direction and up of a turn about x, then about y.
  const Vec3 dir{std::sin(ay) * std::cos(ax), -std::sin(ax), std::cos(ay) * std::cos(ax)};
  const Vec3 up{std::sin(ay) * std::sin(ax), std::cos(ax), std::cos(ay) * std::sin(ax)};
  frame->SetOrientation(root, dir, up);
  frame->SetPosition(root, place[0], place[1], place[2]);
  frame->AddVisual(mesh);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  float v[6];
  bool ok = argc >= 9;
  for (int i = 0; ok && i < 6; ++i) ok = Number(argv[2 + i], &v[i]);
  if (!ok) {
    std::fprintf(stderr,
                 "usage: zarn_model_preview OUT.png EYE_X EYE_Y EYE_Z AT_X AT_Y AT_Z "
                 "FILE.x[@x,y,z[,ax[,ay]]][#AARRGGBB] ...\n");
    return 2;
  }
  namespace caps = surface::caps;
  auto back = MakeRef<surface::Surface>(kWidth, kHeight, 24, caps::kBackBuffer);
  auto zbuf = MakeRef<surface::Surface>(kWidth, kHeight, 16, caps::kZBuffer);
  Ref<Device> device;
  Ref<Frame> root, camera, target, lamp;
  Ref<Viewport> viewport;
  Ref<Light> ambient, point;
  if (Device::Create(back, zbuf, &device) != kOk || CreateFrame(nullptr, &root) != kOk ||
      CreateFrame(root.get(), &camera) != kOk || CreateFrame(root.get(), &target) != kOk ||
      CreateFrame(camera.get(), &lamp) != kOk ||
      Viewport::Create(device, camera, 0, 0, kWidth, kHeight, &viewport) != kOk ||
      CreateLight(LightType::Ambient, 0.35f, 0.35f, 0.35f, &ambient) != kOk ||
      CreateLight(LightType::Point, 1, 1, 1, &point) != kOk) {
    std::fprintf(stderr, "zarn_model_preview: cannot set up the renderer\n");
    return 1;
  }
  device->SetQuality(0x89);
  device->SetRenderMode(kRenderModeBlendedTransparency);
  viewport->SetBack(5000);
  root->SetSceneBackgroundRGB(0.05f, 0.45f, 0.05f);
  root->AddLight(ambient);
  lamp->SetPosition(camera.get(), 20, 40, 0);
  lamp->AddLight(point);
  camera->SetPosition(root.get(), v[0], v[1], v[2]);
  target->SetPosition(root.get(), v[3], v[4], v[5]);
  camera->LookAt(target.get(), root.get(), Constraint::Z);
  for (int i = 8; i < argc; ++i)
    if (!AddModel(root.get(), argv[i])) {
      std::fprintf(stderr, "zarn_model_preview: cannot show %s\n", argv[i]);
      return 1;
    }
  if (viewport->Clear() != kOk || viewport->Render(root.get()) != kOk || device->Update() != kOk) {
    std::fprintf(stderr, "zarn_model_preview: rendering failed\n");
    return 1;
  }
  os::Picture picture;
  picture.width = kWidth;
  picture.height = kHeight;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) picture.pixels.push_back(surface::LoadPixel(back->Row(y) + 3 * x, 3));
  std::string error;
  if (!os::WritePng(argv[1], picture, &error)) {
    std::fprintf(stderr, "zarn_model_preview: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
