#include "platform/sound/sound_device.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/sound/library_noise.h"
#include "platform/sound/loopback.h"
#include "platform/sound/openal.h"
#include "platform/sound/sound_buffer.h"

namespace platform::sound {

namespace {

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
  RenderLoopback(native_->device, mix.data(), frames);
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
