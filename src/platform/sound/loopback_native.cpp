#include "platform/sound/loopback.h"

#ifndef AL_ALEXT_PROTOTYPES
#define AL_ALEXT_PROTOTYPES
#endif
#include <AL/alext.h>

namespace platform::sound {

// Left to its defaults, OpenAL may pick a head-related filter or an output
// limiter by machine, and dithers 16-bit output; the loopback device must mix
// the same everywhere and give true silence, so it mixes in floating point
// and the samples are rounded here.
std::unique_ptr<Device::Native> OpenLoopback(int rate) {
  ALCdevice* device = alcLoopbackOpenDeviceSOFT(nullptr);
  if (!device) return nullptr;
  if (!alcIsRenderFormatSupportedSOFT(device, rate, ALC_STEREO_SOFT, ALC_FLOAT_SOFT)) {
    alcCloseDevice(device);
    return nullptr;
  }
  const ALCint attributes[] = {ALC_FORMAT_CHANNELS_SOFT,
                               ALC_STEREO_SOFT,
                               ALC_FORMAT_TYPE_SOFT,
                               ALC_FLOAT_SOFT,
                               ALC_FREQUENCY,
                               rate,
                               ALC_HRTF_SOFT,
                               ALC_FALSE,
                               ALC_OUTPUT_LIMITER_SOFT,
                               ALC_FALSE,
                               0};
  ALCcontext* context = alcCreateContext(device, attributes);
  if (!context) {
    alcCloseDevice(device);
    return nullptr;
  }
  auto native = std::make_unique<Device::Native>();
  native->device = device;
  native->context = context;
  return native;
}

void RenderLoopback(ALCdevice* device, float* mix, int frames) { alcRenderSamplesSOFT(device, mix, frames); }

}  // namespace platform::sound
