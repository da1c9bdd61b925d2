#pragma once
// The rendering layer: one record holding every display and 3D object of the
// program, and the few operations the rest of the program calls.
#include <cstdint>

#include "platform/ref.h"
#include "platform/rm/device.h"

namespace platform::os {
class Window;
}

namespace vexel {

struct VexelContext {
  platform::Ref<platform::rm::Device> device;
  std::int32_t ready = 0;
  std::int32_t windowed = 0;
  std::int32_t active = 0;
  std::int32_t width = 0, height = 0, depth = 0;
};

extern VexelContext vexelContext;

bool InitGraphics();
void VexelPresent();
void VexelRestoreSurfaces();
int VexelSetReady(int flag);
void ActivateHandle(std::uintptr_t flag);
int VexelPaint(platform::os::Window* window);
void VexelCleanup();

}  // namespace vexel
