#pragma once
// OpenAL for the files of this folder only.
#include <AL/al.h>
#include <AL/alc.h>

#include "platform/sound/sound_device.h"

namespace platform::sound {

struct Device::Native {
  ALCdevice* device = nullptr;
  ALCcontext* context = nullptr;
};

}  // namespace platform::sound
