#pragma once
// The sound device: one OpenAL device with its context, the object every
// sound buffer, the listener and the music's stream belong to. There is no
// device on a machine without one (OpenAL opens none), and a headless run
// asks for none (sound_service.h); the game then runs silent. Tests ask for
// OpenAL's loopback device, which mixes only when asked to (RenderSamples):
// synchronous, deterministic.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/ref.h"
#include "platform/sound/sound_result.h"

namespace platform::os {
class Window;
}

namespace platform::sound {

class SoundBuffer;
struct BufferDesc;

// Which device Create opens: OpenAL's default device, or its loopback device.
enum class DeviceKind { kLive, kLoopback };

// Cooperative levels, with their original values.
namespace cooperation {
constexpr std::uint32_t kNormal = 1;
constexpr std::uint32_t kPriority = 2;
constexpr std::uint32_t kExclusive = 3;
constexpr std::uint32_t kWritePrimary = 4;
}  // namespace cooperation

class Device : public RefCounted {
 public:
  // The loopback device mixes 16-bit stereo at this rate.
  static constexpr int kLoopbackRate = 44100;

  ~Device() override;

  // kNoDriver when no device opens.
  static HResult Create(Ref<Device>* out, DeviceKind kind);

  bool IsLoopback() const { return loopback_; }
  int SampleRate() const { return sampleRate_; }

  // Makes this device's OpenAL context the current one. Every call of this
  // service does so itself; other users of the context (the music's stream)
  // call it before their own OpenAL calls.
  void MakeCurrent() const;

  // Loopback only: mixes the next `frames` stereo frames (interleaved 16-bit
  // samples, 2 * frames values) into `out`. False on a live device.
  bool RenderSamples(std::int16_t* out, int frames);
  std::vector<std::int16_t> RenderSamples(int frames);

  // The level is checked and kept; OpenAL has no focus rules to apply.
  HResult SetCooperativeLevel(const os::Window* window, std::uint32_t level);
  std::uint32_t CooperativeLevel() const { return level_; }

  // A primary buffer (flag kPrimaryBuffer: size 0, no format; with kCtrl3D
  // it hands out the listener) or a static secondary buffer holding PCM.
  HResult CreateSoundBuffer(const BufferDesc& desc, Ref<SoundBuffer>* out);

  struct Native;  // the OpenAL objects, seen only inside this folder

 private:
  friend class SoundBuffer;
  friend class Listener;
  Device(std::unique_ptr<Native> native, bool loopback, int sampleRate);

  // The listener-wide rolloff factor reaches every 3D source.
  void Register(SoundBuffer* buffer);
  void Unregister(SoundBuffer* buffer);
  void ApplyRolloff(float rolloff);
  float Rolloff() const { return rolloff_; }

  std::unique_ptr<Native> native_;
  bool loopback_ = false;
  int sampleRate_ = 0;
  std::uint32_t level_ = 0;
  float rolloff_ = 1.0f;
  std::vector<SoundBuffer*> buffers_;
};

}  // namespace platform::sound
