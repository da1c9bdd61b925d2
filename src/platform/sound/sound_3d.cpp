#include <algorithm>
#include <cmath>

#include "platform/sound/openal.h"
#include "platform/sound/sound_buffer.h"

namespace platform::sound {

// The game's coordinates are left-handed, OpenAL's right-handed: z turns
// over both for positions and for directions.

Sound3DBuffer::Sound3DBuffer(SoundBuffer* buffer) : buffer_(buffer) {}

HResult Sound3DBuffer::SetPosition(float x, float y, float z) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return kInvalidParam;
  position_ = {x, y, z};
  buffer_->device_->MakeCurrent();
  alSource3f(buffer_->source_, AL_POSITION, x, y, -z);
  return kOk;
}

HResult Sound3DBuffer::GetPosition(rm::Vec3* out) const {
  if (!out) return kInvalidParam;
  *out = position_;
  return kOk;
}

HResult Sound3DBuffer::SetMinDistance(float distance) {
  if (!(distance >= 0.0f) || !std::isfinite(distance)) return kInvalidParam;
  minDistance_ = std::max(distance, 1.0f);
  buffer_->device_->MakeCurrent();
  alSourcef(buffer_->source_, AL_REFERENCE_DISTANCE, minDistance_);
  return kOk;
}

HResult Sound3DBuffer::SetMaxDistance(float distance) {
  if (!(distance >= 0.0f) || !std::isfinite(distance)) return kInvalidParam;
  maxDistance_ = distance;
  buffer_->device_->MakeCurrent();
  alSourcef(buffer_->source_, AL_MAX_DISTANCE, distance);
  return kOk;
}

HResult Sound3DBuffer::SetConeOutsideVolume(std::int32_t volume) {
  if (volume > 0 || volume < -10000) return kInvalidParam;
  coneOutsideVolume_ = volume;
  buffer_->device_->MakeCurrent();
  alSourcef(buffer_->source_, AL_CONE_OUTER_GAIN, std::pow(10.0f, volume / 2000.0f));
  return kOk;
}

HResult Sound3DBuffer::SetGain(float gain) {
  if (!(gain >= 0.0f && gain <= 16.0f)) return kInvalidParam;
  buffer_->device_->MakeCurrent();
  alSourcef(buffer_->source_, AL_GAIN, gain);
  return kOk;
}

HResult Sound3DBuffer::SetGainCeiling(float ceiling) {
  if (!(ceiling >= 0.0f && ceiling <= 1.0f)) return kInvalidParam;
  buffer_->device_->MakeCurrent();
  alSourcef(buffer_->source_, AL_MAX_GAIN, ceiling);
  return kOk;
}

Listener::Listener(SoundBuffer* primary) : primary_(primary) {}

HResult Listener::SetPosition(float x, float y, float z) {
  if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(z)) return kInvalidParam;
  position_ = {x, y, z};
  primary_->device_->MakeCurrent();
  alListener3f(AL_POSITION, x, y, -z);
  return kOk;
}

HResult Listener::GetPosition(rm::Vec3* out) const {
  if (!out) return kInvalidParam;
  *out = position_;
  return kOk;
}

HResult Listener::SetOrientation(const rm::Vec3& front, const rm::Vec3& top) {
  const float values[] = {front.x, front.y, -front.z, top.x, top.y, -top.z};
  for (float v : values)
    if (!std::isfinite(v)) return kInvalidParam;
  primary_->device_->MakeCurrent();
  alListenerfv(AL_ORIENTATION, values);
  return kOk;
}

HResult Listener::SetRolloffFactor(float rolloff) {
  if (!(rolloff >= 0.0f && rolloff <= 10.0f)) return kInvalidParam;
  rolloff_ = rolloff;
  primary_->device_->ApplyRolloff(rolloff);
  return kOk;
}

HResult Listener::SetDopplerFactor(float doppler) {
  if (!(doppler >= 0.0f && doppler <= 10.0f)) return kInvalidParam;
  doppler_ = doppler;
  primary_->device_->MakeCurrent();
  alDopplerFactor(doppler);
  return kOk;
}

HResult Listener::SetDistanceFactor(float metres) {
  if (!(metres > 0.0f) || !std::isfinite(metres)) return kInvalidParam;
  distance_ = metres;
  primary_->device_->MakeCurrent();
  alSpeedOfSound(343.3f / metres);
  return kOk;
}

}  // namespace platform::sound
