#pragma once
// OpenAL's loopback device, which mixes only when asked to: what the tests
// listen through. Only OpenAL Soft has one; the browser's OpenAL does not,
// and there the tests' loopback device simply fails to open.
#include <memory>

#include "platform/sound/openal.h"

namespace platform::sound {

// A loopback device with its context mixing float stereo at `rate`, or none.
std::unique_ptr<Device::Native> OpenLoopback(int rate);

// Mixes the next `frames` stereo frames into `mix` (2 * frames floats).
void RenderLoopback(ALCdevice* device, float* mix, int frames);

}  // namespace platform::sound
