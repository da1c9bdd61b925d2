#pragma once
// The rendering layer: one record holding every display and 3D object of the
// program, and the few operations the rest of the program calls. Debug lines
// of the layer begin with "VXL:".
#include <array>
#include <cstdint>

#include "platform/os/window.h"
#include "platform/ref.h"
#include "platform/rm/direct3d.h"
#include "platform/surface/direct_draw.h"

namespace vexel {

using platform::Ref;
namespace surface = platform::surface;
namespace rm = platform::rm;

struct VexelContext {
  Ref<surface::DirectDraw> ddraw;
  Ref<rm::Direct3D> d3d;
  Ref<rm::Direct3DRM> d3drm;
  Ref<surface::Surface> primary;
  Ref<surface::Surface> backBuffer;
  Ref<surface::Surface> zBuffer;
  Ref<surface::Palette> palette;
  std::array<surface::PaletteEntry, 256> paletteEntries{};
  Ref<surface::Clipper> clipper;
  Ref<rm::ImmediateDevice> d3dDevice;
  Ref<rm::Device> device;
  Ref<rm::Viewport> viewport;
  std::uint32_t colorModel = 0;
  platform::os::Rect windowRect;
  std::int32_t hardware3D = 0;
  std::int32_t ready = 0;
  std::int32_t windowed = 0;
  std::int32_t active = 0;
  std::array<char, 2048> messageBuffer{};
  std::int32_t width = 0, height = 0, depth = 0;
  platform::os::Window* hwnd = nullptr;
  rm::Guid deviceGuid;
  std::int32_t halFound = 0;
};

extern VexelContext vexelContext;

// Set-up
bool InitGraphics();
void VexelInitialize(int width, int height, int depth);
bool CreateDirectDrawFull(platform::os::Window* window);
bool CreateDirectDrawWin(platform::os::Window* window);
bool VexelCreateDevice();
bool CreateD3DRM();
const rm::Guid* ChooseDeviceGuid(std::uint32_t colorModel);

// Every turn and on window messages
bool VXLViewport(rm::Frame* camera);
int VexelSetReady(int flag);
void VexelPresent();
void VexelRestoreSurfaces();
void VexelRender(const rm::Frame* frame);
void ActivateHandle(std::uintptr_t flag);
int VexelPaint(platform::os::Window* window);
void VexelCleanup();

// Reports
void ReportDirectDrawError(platform::HResult code, const char* file, int line);
void ReportD3DRMError(platform::HResult code, const char* file, int line);
void VexelDebugPrint(const char* text);
const char* DirectDrawErrorName(platform::HResult code);
const char* D3DRMErrorName(platform::HResult code);

}  // namespace vexel
