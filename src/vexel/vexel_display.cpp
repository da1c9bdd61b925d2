// Bringing the display up: the driver, full-screen or windowed presentation
// surfaces, and the colour model the 3D device will use.
#include <cstdio>
#include <cstdlib>

#include "core/exit_status.h"
#include "core/game_state.h"
#include "platform/os/debug_output.h"
#include "vexel/vexel.h"

namespace vexel {

using namespace platform;
using namespace platform::surface;

VexelContext vexelContext;

namespace {

void Debug(const char* text) { os::OutputDebugString(text); }

// Only a driver with an identity of its own and 3D caps is taken in
// preference to the primary display; the primary display has none, so the
// search ends with the primary display's object.
void ChooseDriver() {
  EnumerateDrivers([](const DriverInfo& info) {
    return !info.hasGuid;
  }).Ignore("without a driver of its own the primary display's object is made next");
  if (!vexelContext.ddraw) {
    Ref<DirectDraw> ddraw;
    if (Succeeded(CreateDirectDraw(&ddraw))) vexelContext.ddraw = ddraw;
  }
}

bool Has3D(const DriverCaps& caps) { return (caps.caps & driver_caps::k3D) && (caps.surfaceCaps & caps::kTexture); }

void ChooseColorModel() {
  DriverCaps hardware, emulation;
  vexelContext.ddraw->GetCaps(&hardware, &emulation).Ignore("caps left empty choose the mono colour model");
  vexelContext.colorModel = Has3D(hardware) ? rm::kColorModelRgb : rm::kColorModelMono;
}

// The first steps of both set-ups: a display object and the colour model.
bool StartDriver() {
  ChooseDriver();
  if (!vexelContext.ddraw) {
    ReportDirectDrawError(DDERR_GENERIC, "vexel_display.cpp", __LINE__);
    VexelCleanup();
    return false;
  }
  ChooseColorModel();
  return true;
}

}  // namespace

bool InitGraphics() {
  game::GameState& g = game::gameState;
  VexelInitialize(g.displayWidth, g.displayHeight, g.displayBitDepth);
  bool up = g.windowedMode ? CreateDirectDrawWin(g.mainWindow) : CreateDirectDrawFull(g.mainWindow);
  if (!up) {
    Debug("VXL:DDCreateError ");
    std::exit(core::kExitFailed);
  }
  if (!VexelCreateDevice()) {
    Debug("VXL:CreateDirect3DRM Error!!!! ");
    std::exit(core::kExitFailed);
  }
  return true;
}

void VexelInitialize(int width, int height, int depth) {
  Debug("VXL:Vexel Initialize\n");
  vexelContext = VexelContext{};
  vexelContext.active = 1;
  vexelContext.width = width;
  vexelContext.height = height;
  vexelContext.depth = depth;
}

bool CreateDirectDrawFull(os::Window* window) {
  VexelContext& v = vexelContext;
  v.hwnd = window;
  VexelCleanup();
  if (!StartDriver()) return false;
  using namespace cooperation;
  if (Failed(v.ddraw->SetCooperativeLevel(window, kFullScreen | kExclusive | kAllowModeX)) &&
      Failed(v.ddraw->SetCooperativeLevel(window, kFullScreen | kExclusive))) {
    Debug("VXL:Error: failed to Set Cooperative Level!");
    return false;
  }
  if (Failed(v.ddraw->SetDisplayMode(v.width, v.height, v.depth))) {
    Debug("VXL:Error: failed to Set Display Mode!\n");
    Debug("VXL:custom display mode can not use!\n");
    Debug("VXL:I'll try to run at Window mode");
    VexelCleanup();
    return CreateDirectDrawWin(window);
  }
  char line[128];
  std::snprintf(line, sizeof line, "VXL:screen mode decided %d %d %d\n", v.width, v.height, v.depth);
  Debug(line);
  SurfaceDesc desc;
  desc.fields = desc_fields::kCaps | desc_fields::kBackBufferCount;
  desc.backBufferCount = 1;
  desc.caps = caps::kPrimarySurface | caps::kFlip | caps::kComplex | caps::k3DDevice;
  if (HResult r = v.ddraw->CreateSurface(desc, &v.primary); Failed(r)) {
    ReportDirectDrawError(r, "vexel_display.cpp", __LINE__);
    VexelCleanup();
    return false;
  }
  v.primary->GetAttachedSurface(caps::kBackBuffer, &v.backBuffer)
      .Ignore("a missing back buffer fails the next step, which reports it");
  v.ready = 1;
  return true;
}

bool CreateDirectDrawWin(os::Window* window) {
  VexelContext& v = vexelContext;
  v.hwnd = window;
  Debug("VXL:CreateDirectDrawWin\n");
  VexelCleanup();
  v.depth = os::DesktopBitsPerPixel();
  v.windowRect = os::GetClientRect(window);
  os::Point origin = os::ClientToScreen(window, {0, 0});
  v.windowRect = {v.windowRect.left + origin.x, v.windowRect.top + origin.y, v.windowRect.right + origin.x,
                  v.windowRect.bottom + origin.y};
  v.width = v.windowRect.Width();
  v.height = v.windowRect.Height();
  if (!StartDriver()) return false;
  auto fail = [&](HResult r, int line) {
    ReportDirectDrawError(r, "vexel_display.cpp", line);
    VexelCleanup();
    return false;
  };
  if (HResult r = v.ddraw->SetCooperativeLevel(window, cooperation::kNormal); Failed(r)) return fail(r, __LINE__);
  SurfaceDesc primary;
  primary.fields = desc_fields::kCaps;
  primary.caps = caps::kPrimarySurface;
  if (HResult r = v.ddraw->CreateSurface(primary, &v.primary); Failed(r)) return fail(r, __LINE__);
  SurfaceDesc back;
  back.fields = desc_fields::kCaps | desc_fields::kHeight | desc_fields::kWidth;
  back.width = v.width;
  back.height = v.height;
  back.caps = caps::kOffscreenPlain | caps::k3DDevice | (v.hardware3D ? caps::kVideoMemory : caps::kSystemMemory);
  if (HResult r = v.ddraw->CreateSurface(back, &v.backBuffer); Failed(r)) return fail(r, __LINE__);
  if (HResult r = v.ddraw->CreateClipper(0, &v.clipper); Failed(r)) return fail(r, __LINE__);
  if (HResult r = v.clipper->SetHWnd(0, window); Failed(r)) return fail(r, __LINE__);
  if (HResult r = v.primary->SetClipper(v.clipper); Failed(r)) return fail(r, __LINE__);
  v.windowed = 1;
  return true;
}

void VexelCleanup() {
  VexelContext& v = vexelContext;
  Debug("VXL:Vexel Cleanup\n");
  v.d3drm.reset();
  v.d3d.reset();
  v.zBuffer.reset();
  v.primary.reset();
  v.ddraw.reset();
  v.ready = 0;
}

}  // namespace vexel
