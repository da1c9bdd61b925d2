#include "vexel/vexel.h"

#include "game/game_state.h"

namespace vexel {

VexelContext vexelContext;

// The display and device set-up come with the rendering layer; until then the
// layer only keeps the flags the window procedure reads.
bool InitGraphics() {
  vexelContext = VexelContext{};
  vexelContext.active = 1;
  vexelContext.windowed = game::gameState.windowedMode != 0;
  vexelContext.width = game::gameState.displayWidth;
  vexelContext.height = game::gameState.displayHeight;
  vexelContext.depth = game::gameState.displayBitDepth;
  return true;
}

void VexelPresent() {}
void VexelRestoreSurfaces() {}

int VexelSetReady(int flag) {
  if (flag == 0) vexelContext.ready = 0;
  if (flag == 1) vexelContext.ready = 1;
  return 1;
}

void ActivateHandle(std::uintptr_t flag) { vexelContext.active = flag != 0; }

int VexelPaint(platform::os::Window*) { return vexelContext.ready && vexelContext.windowed ? 1 : 0; }

void VexelCleanup() {
  vexelContext.device.reset();
  vexelContext.ready = 0;
}

}  // namespace vexel
