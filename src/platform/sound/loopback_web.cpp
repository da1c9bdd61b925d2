#include "platform/sound/loopback.h"

namespace platform::sound {

std::unique_ptr<Device::Native> OpenLoopback(int) { return nullptr; }

void RenderLoopback(ALCdevice*, float*, int) {}

}  // namespace platform::sound
