// What the layer does once it is up: the viewport, presenting each picture,
// rendering the scene, restoring lost surfaces, activation and painting.
#include <cstdio>

#include "platform/os/debug_output.h"
#include "platform/rm/rm_result.h"
#include "vexel/vexel.h"

namespace vexel {

using namespace platform;
using namespace platform::surface;

namespace {
void Debug(const char* text) { os::OutputDebugString(text); }
}  // namespace

bool VXLViewport(rm::Frame* camera) {
  VexelContext& v = vexelContext;
  Debug("VXL:VXLViewport\n");
  char line[96];
  std::snprintf(line, sizeof line, "VXL:Viewport width:%d height:%d\n", v.width, v.height);
  Debug(line);
  HResult r = v.d3drm ? v.d3drm->CreateViewport(v.device, Ref<rm::Frame>(camera), 0, 0, v.width, v.height, &v.viewport)
                      : rm::kErrBadObject;
  if (Failed(r)) {
    ReportD3DRMError(r, "vexel_frame.cpp", __LINE__);
    VexelCleanup();
    return false;
  }
  Debug("phase 3\n");
  if (r = v.viewport->SetBack(5000.0f); Failed(r)) {
    ReportD3DRMError(r, "vexel_frame.cpp", __LINE__);
    VexelCleanup();
    return false;
  }
  Debug("phase 4\n");
  return true;
}

// A layer cleaned up after a failure stays off: switching it on again would
// present and render through released objects.
int VexelSetReady(int flag) {
  if (flag == 0) vexelContext.ready = 0;
  if (flag == 1 && vexelContext.ddraw) vexelContext.ready = 1;
  return 1;
}

void VexelPresent() {
  VexelContext& v = vexelContext;
  if (!v.ready || !v.primary || !v.backBuffer) return;
  HResult r;
  if (!v.windowed) {
    r = v.primary->Flip(v.backBuffer.get(), flip_flags::kWait);
  } else {
    Rect source{0, 0, v.width, v.height};
    r = v.primary->Blt(&v.windowRect, v.backBuffer.get(), &source, blt_flags::kWait);
  }
  // A surface lost to another program in full screen is not a failure: this
  // picture is skipped and the restore that follows brings the display back.
  // Cleaning up here would end the game at the first switch of programs.
  if (r == DDERR_SURFACELOST) return;
  if (Failed(r)) {
    ReportDirectDrawError(r, "vexel_frame.cpp", __LINE__);
    VexelCleanup();
  }
}

void VexelRender(const rm::Frame* frame) {
  VexelContext& v = vexelContext;
  if (!v.ready || !frame || !v.viewport || !v.device) return;
  HResult r = v.viewport->Clear();
  if (Succeeded(r)) r = v.viewport->Render(frame);
  if (Succeeded(r)) r = v.device->Update();
  if (Failed(r)) {
    ReportD3DRMError(r, "vexel_frame.cpp", __LINE__);
    VexelCleanup();
  }
}

void VexelRestoreSurfaces() {
  VexelContext& v = vexelContext;
  if (!v.ready || !v.active || !v.primary) return;
  auto restore = [&](Surface* s) {
    if (!s || s->IsLost() == DD_OK) return;
    s->Restore().Ignore("a surface still lost is restored again next turn");
    if (v.viewport)
      v.viewport->ForceUpdate(0, 0, v.width, v.height)
          .Ignore("a refused repaint leaves the old picture one turn longer");
  };
  restore(v.primary.get());
  restore(v.zBuffer.get());
}

void ActivateHandle(std::uintptr_t flag) {
  VexelContext& v = vexelContext;
  Debug("VXL:ActivateHandle ");
  Debug(flag ? "Active\n" : "Non Active\n");
  v.active = flag != 0;
  // Our display loses its surfaces while a full-screen program is in the
  // background, as the original system did on its own.
  if (v.ddraw) v.ddraw->SetAppActive(v.active);
  if (!v.ready) return;
  if (v.primary) v.primary->SetPalette(v.palette).Ignore("a surface without a palette draws as before");
}

int VexelPaint(os::Window*) {
  VexelContext& v = vexelContext;
  if (!v.ready || !v.windowed) return 0;
  // The window's picture is the last one rendered: show it again.
  if (v.primary && v.backBuffer) {
    Rect source{0, 0, v.width, v.height};
    v.primary->Blt(&v.windowRect, v.backBuffer.get(), &source, blt_flags::kWait)
        .Ignore("a picture that cannot be shown again is shown by the next turn");
  }
  return 1;
}

}  // namespace vexel
