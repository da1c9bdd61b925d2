#include "platform/sound/sound_device.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/sound/library_noise.h"
#include "platform/sound/openal.h"
#include "platform/sound/sound_buffer.h"

namespace platform::sound {

namespace {

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

std::unique_ptr<Device::Native> OpenLive(int* rate) {
  QuietLibraryNoise();
  ALCdevice* device = alcOpenDevice(nullptr);
  if (!device) {
    std::fputs("zarn: no sound device; running without sound\n", stderr);
    return nullptr;
  }
  ALCcontext* context = alcCreateContext(device, nullptr);
  if (!context) {
    alcCloseDevice(device);
    return nullptr;
  }
  ALCint frequency = 0;
  alcGetIntegerv(device, ALC_FREQUENCY, 1, &frequency);
  *rate = frequency;
  auto native = std::make_unique<Device::Native>();
  native->device = device;
  native->context = context;
  return native;
}

}  // namespace

Device::Device(std::unique_ptr<Native> native, bool loopback, int sampleRate)
    : native_(std::move(native)), loopback_(loopback), sampleRate_(sampleRate) {
  MakeCurrent();
  // The law of the service's 3D sound: inverse distance from the minimum
  // distance on, no further fall beyond the maximum.
  alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
}

Device::~Device() {
  if (alcGetCurrentContext() == native_->context) alcMakeContextCurrent(nullptr);
  alcDestroyContext(native_->context);
  alcCloseDevice(native_->device);
}

HResult Device::Create(Ref<Device>* out, DeviceKind kind) {
  if (!out) return kInvalidParam;
  *out = nullptr;
  std::unique_ptr<Native> native;
  int rate = kLoopbackRate;
  if (kind == DeviceKind::kLoopback) {
    native = OpenLoopback(rate);
  } else {
    native = OpenLive(&rate);
  }
  if (!native) return kNoDriver;
  *out = Ref<Device>(new Device(std::move(native), kind == DeviceKind::kLoopback, rate));
  return kOk;
}

void Device::MakeCurrent() const {
  if (alcGetCurrentContext() != native_->context) alcMakeContextCurrent(native_->context);
}

bool Device::RenderSamples(std::int16_t* out, int frames) {
  if (!loopback_ || !out || frames < 0) return false;
  MakeCurrent();
  std::vector<float> mix(static_cast<std::size_t>(frames) * 2);
  alcRenderSamplesSOFT(native_->device, mix.data(), frames);
  for (std::size_t i = 0; i < mix.size(); ++i)
    out[i] = static_cast<std::int16_t>(std::lround(std::clamp(mix[i], -1.0f, 1.0f) * 32767.0f));
  return true;
}

std::vector<std::int16_t> Device::RenderSamples(int frames) {
  std::vector<std::int16_t> samples(static_cast<std::size_t>(std::max(frames, 0)) * 2);
  if (!RenderSamples(samples.data(), frames)) samples.clear();
  return samples;
}

HResult Device::SetCooperativeLevel(const os::Window*, std::uint32_t level) {
  if (level < cooperation::kNormal || level > cooperation::kWritePrimary) return kInvalidParam;
  level_ = level;
  return kOk;
}

void Device::Register(SoundBuffer* buffer) { buffers_.push_back(buffer); }

void Device::Unregister(SoundBuffer* buffer) {
  buffers_.erase(std::remove(buffers_.begin(), buffers_.end(), buffer), buffers_.end());
}

void Device::ApplyRolloff(float rolloff) {
  rolloff_ = rolloff;
  for (SoundBuffer* buffer : buffers_) buffer->ApplyRolloff(rolloff);
}

}  // namespace platform::sound
