#pragma once
// Sound buffers, their 3D interface and the listener. Coordinates are the
// game's (left-handed, y up); they are turned right-handed for OpenAL by
// negating z, and read back as they were given.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ref.h"
#include "platform/rm/math.h"
#include "platform/sound/sound_device.h"
#include "platform/sound/wave_format.h"

namespace platform::sound {

// Buffer flags, with their original values.
namespace caps {
constexpr std::uint32_t kPrimaryBuffer = 0x1;
constexpr std::uint32_t kStatic = 0x2;
constexpr std::uint32_t kCtrl3D = 0x10;
constexpr std::uint32_t kGlobalFocus = 0x8000;
constexpr std::uint32_t kGetCurrentPosition2 = 0x10000;
}  // namespace caps

constexpr std::uint32_t kPlayLooping = 0x1;
constexpr std::uint32_t kLockEntireBuffer = 0x2;
constexpr std::uint32_t kStatusPlaying = 0x1;
constexpr std::uint32_t kStatusLooping = 0x4;
// The largest secondary buffer there can be.
constexpr std::uint32_t kMaxBufferBytes = 0x0FFFFFFF;

struct BufferDesc {
  std::uint32_t flags = 0;
  std::uint32_t bufferBytes = 0;       // 0 for the primary buffer
  const WaveFormat* format = nullptr;  // null for the primary buffer
};

class Listener;
class Sound3DBuffer;

class SoundBuffer : public RefCounted {
 public:
  ~SoundBuffer() override;

  bool IsPrimary() const { return primary_; }
  std::uint32_t Bytes() const { return static_cast<std::uint32_t>(data_.size()); }

  // The interfaces a buffer hands out: the listener from a 3D primary
  // buffer, the 3D interface from a 3D secondary buffer; else kNoInterface.
  HResult GetListener(Ref<Listener>* out);
  HResult Get3DBuffer(Ref<Sound3DBuffer>* out);

  // Gives write access to bytes..bytes+count of the buffer, wrapping around
  // its end into a second region. The sound takes the new bytes at Unlock.
  HResult Lock(std::uint32_t offset, std::uint32_t count, void** region1, std::uint32_t* bytes1, void** region2,
               std::uint32_t* bytes2, std::uint32_t flags);
  HResult Unlock(void* region1, std::uint32_t bytes1, void* region2, std::uint32_t bytes2);
  // Buffers are never lost here; restoring one succeeds and does nothing.
  HResult Restore();

  // Play continues a buffer that is playing (only the looping flag is
  // taken); a stopped buffer resumes where it stopped; one that played to
  // its end starts from the beginning.
  HResult Play(std::uint32_t flags);
  // Stops without rewinding.
  HResult Stop();
  HResult SetCurrentPosition(std::uint32_t offset);
  HResult GetCurrentPosition(std::uint32_t* play) const;
  HResult GetStatus(std::uint32_t* status) const;

 private:
  friend class Device;
  friend class Sound3DBuffer;
  friend class Listener;
  SoundBuffer(Device* device, const BufferDesc& desc);
  HResult CreateSource();
  HResult Upload();  // hands the bytes to OpenAL
  void ApplyRolloff(float rolloff);

  Ref<Device> device_;
  bool primary_ = false;
  bool threeD_ = false;
  WaveFormat format_;
  std::vector<std::uint8_t> data_;
  std::uint32_t source_ = 0;
  std::uint32_t alBuffer_ = 0;
  bool locked_ = false;
};

// The 3D settings of one buffer; each takes effect at once.
class Sound3DBuffer : public RefCounted {
 public:
  HResult SetPosition(float x, float y, float z);
  HResult GetPosition(rm::Vec3* out) const;
  // Below 1 the inverse-distance law would silence the sound at every
  // distance; such minimum distances become 1.
  HResult SetMinDistance(float distance);
  HResult SetMaxDistance(float distance);
  float MinDistance() const { return minDistance_; }
  float MaxDistance() const { return maxDistance_; }
  // Hundredths of a decibel, 0 (full) down to -10000.
  HResult SetConeOutsideVolume(std::int32_t volume);
  std::int32_t ConeOutsideVolume() const { return coneOutsideVolume_; }
  // Our own loudness, beyond the original service: a gain over the 3D law
  // (above 1 lifts a sound heard from afar; 0 to 16), and the ceiling the
  // sound may reach once the law and the cone are applied (0 to 1), which
  // keeps a lifted sound from blasting a listener close by.
  HResult SetGain(float gain);
  HResult SetGainCeiling(float ceiling);

 private:
  friend class SoundBuffer;
  explicit Sound3DBuffer(SoundBuffer* buffer);
  Ref<SoundBuffer> buffer_;
  rm::Vec3 position_{};
  float minDistance_ = 1.0f;
  float maxDistance_ = 1.0e9f;
  std::int32_t coneOutsideVolume_ = 0;
};

class Listener : public RefCounted {
 public:
  HResult SetPosition(float x, float y, float z);
  HResult GetPosition(rm::Vec3* out) const;
  HResult SetOrientation(const rm::Vec3& front, const rm::Vec3& top);
  HResult SetRolloffFactor(float rolloff);  // 0..10
  HResult SetDopplerFactor(float doppler);  // 0..10
  HResult SetDistanceFactor(float metres);  // metres per unit, > 0
  float RolloffFactor() const { return rolloff_; }
  float DopplerFactor() const { return doppler_; }
  float DistanceFactor() const { return distance_; }

 private:
  friend class SoundBuffer;
  explicit Listener(SoundBuffer* primary);
  Ref<SoundBuffer> primary_;
  rm::Vec3 position_{};
  float rolloff_ = 1.0f;
  float doppler_ = 1.0f;
  float distance_ = 1.0f;
};

}  // namespace platform::sound
