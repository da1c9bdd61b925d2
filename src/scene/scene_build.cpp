// Building the whole world once: every frame, light and mesh any screen or
// stage will ever show, the viewport on camera 1, and rendering switched on.
#include <filesystem>
#include <string>
#include <system_error>

#include "core/game_state.h"
#include "platform/os/data_folder.h"
#include "platform/os/debug_output.h"
#include "platform/os/user_folders.h"
#include "platform/rm/rm_object.h"
#include "platform/surface/device_context.h"
#include "scene/scene.h"
#include "scene/scene_layout.h"
#include "scene/scene_objects.h"
#include "vexel/vexel.h"

namespace scene {

using namespace platform;
using namespace platform::rm;

namespace {

// No result of a creation, load or attachment is looked at: a part that
// fails is left out, and the game runs on without it.
constexpr const char* kBuildGoesOn = "a part that fails is left out of the world";

Ref<MeshBuilder> LoadModel(const char* name, bool& missing) {
  Ref<MeshBuilder> builder;
  CreateMeshBuilder(&builder).Ignore(kBuildGoesOn);
  std::string why;
  const std::string file = os::DataFile(name);
  HResult r = builder->Load(file, &why);
  missing = r == kErrFileNotFound;
  if (Failed(r)) {
    os::OutputDebugString("scene: cannot load " + file + " (" + vexel::D3DRMErrorName(r) + ")\n");
    // A file that is there but unusable is named; a missing one stays as
    // quiet as the game always kept it.
    if (!missing) os::ReportRefusedFile(file, why);
  }
  return builder;
}

void LoadModels(Light* pointLight) {
  std::size_t missingCount = 0, count = 0;
  for (const ModelSpec& m : ModelSpecs(objects)) {
    bool missing = false;
    Ref<MeshBuilder> builder = LoadModel(m.file, missing);
    missingCount += missing;
    ++count;
    if (m.colour) builder->SetColor(m.colour).Ignore(kBuildGoesOn);
    if (!m.frames.empty() && m.frames[0] == &objects.baseFrame) {
      // The chassis casts the excavator's shadow on the table top.
      Ref<Shadow> shadow;
      CreateShadow(builder, Ref<Light>(pointLight), {0, 0.2f, 0}, {0, 1, 0}, &shadow).Ignore(kBuildGoesOn);
      objects.baseFrame->AddVisual(builder).Ignore(kBuildGoesOn);
      if (shadow) objects.baseFrame->AddVisual(shadow).Ignore(kBuildGoesOn);
    } else {
      for (Ref<Frame>* frame : m.frames)
        if (frame && *frame) (*frame)->AddVisual(builder).Ignore(kBuildGoesOn);
    }
    if (m.held) *m.held = builder;
  }
  // Not one model: the game was started from another folder than its own,
  // and would show an empty green screen without a word.
  if (count > 0 && missingCount == count) {
    std::error_code ignored;
    if (os::RunsInstalled())
      os::ReportRefusedFile(os::DataFolder(), "no model files in the game's data folder; install it again");
    else
      os::ReportRefusedFile(
          std::filesystem::current_path(ignored).string(),
          "no model files in this folder; start the game from its own (" + os::ExecutableFolder() + ")");
  }
}

void CreateCameras() {
  std::vector<FrameSpec> cameras = CameraSpecs(objects);
  for (const FrameSpec& c : cameras) CreateFrame(c.parent->get(), c.slot).Ignore(kBuildGoesOn);
  for (const FrameSpec& c : cameras) (*c.slot)->SetPosition(c.relativeTo->get(), c.position).Ignore(kBuildGoesOn);
  for (const FrameSpec& c : cameras)
    if (c.oriented) (*c.slot)->SetOrientation(c.orientationRef->get(), c.direction, c.up).Ignore(kBuildGoesOn);
}

void PaintBackBufferGreen() {
  Ref<surface::Surface>& back = vexel::vexelContext.backBuffer;
  if (!back) return;
  surface::DeviceContext dc;
  if (Failed(back->GetDC(&dc))) return;
  const game::GameState& g = game::gameState;
  dc.FillRect({0, 0, g.displayWidth, g.displayHeight}, 0, 200, 0).Ignore(kBuildGoesOn);
  back->ReleaseDC(&dc).Ignore(kBuildGoesOn);
}

}  // namespace

bool BuildScene() {
  SceneObjects& o = objects;
  CreateFrame(nullptr, &o.sceneRoot).Ignore(kBuildGoesOn);
  Ref<Light> ambient;
  CreateLight(LightType::Ambient, 0.3f, 0.3f, 0.3f, &ambient).Ignore(kBuildGoesOn);
  o.sceneRoot->AddLight(ambient).Ignore(kBuildGoesOn);

  CreateFrame(o.sceneRoot.get(), &o.lightFrame).Ignore(kBuildGoesOn);
  Ref<Light> point;
  CreateLight(LightType::Point, 1, 1, 1, &point).Ignore(kBuildGoesOn);
  o.lightFrame->SetPosition(o.sceneRoot.get(), -50, 100, 30).Ignore(kBuildGoesOn);
  o.lightFrame->AddLight(point).Ignore(kBuildGoesOn);

  std::vector<FrameSpec> frames = FrameSpecs(o);
  for (const FrameSpec& f : frames) CreateFrame(f.parent->get(), f.slot).Ignore(kBuildGoesOn);
  LoadModels(point.get());
  for (const FrameSpec& f : frames) (*f.slot)->SetPosition(f.relativeTo->get(), f.position).Ignore(kBuildGoesOn);
  CreateCameras();

  vexel::VXLViewport(o.camera[1].get());
  o.sceneRoot->SetSceneBackgroundRGB(0.05f, 0.45f, 0.05f).Ignore(kBuildGoesOn);
  PaintBackBufferGreen();
  vexel::VexelSetReady(1);
  if (vexel::vexelContext.device)
    vexel::vexelContext.device->SetRenderMode(kRenderModeBlendedTransparency).Ignore(kBuildGoesOn);
  game::GameState& g = game::gameState;
  g.keyGuideVisible = true;
  if (g.speedFactor == 0.0f) g.calibrationPhase = game::CalibrationPhase::Start;
  return true;
}

}  // namespace scene
