#pragma once
// 3D-positioned sound effects: eighteen WAV files, each in its own static 3D
// buffer, the listener following the active camera.
#include <array>

#include "platform/ref.h"
#include "platform/sound/sound_buffer.h"
#include "platform/sound/sound_device.h"
#include "platform/sound/sound_service.h"

namespace audio {

enum class SoundEffect {
  DriveLoop,
  SwingLoop,
  HydraulicLoop,
  OrderReadyChime,
  ScoreTick,
  CursorMove,
  ButtonAssigned,
  FallSound
};

constexpr int kEffectCount = 18;

// The sound objects, alive from InitSound to ReleaseSound. Any of them may be
// missing: every request on a missing one does nothing.
struct SoundObjects {
  platform::Ref<platform::sound::Device> device;
  platform::Ref<platform::sound::SoundBuffer> primary;
  platform::Ref<platform::sound::Listener> listener;
  std::array<platform::Ref<platform::sound::SoundBuffer>, kEffectCount> buffers;
  std::array<platform::Ref<platform::sound::Sound3DBuffer>, kEffectCount> buffers3D;
  // Playing flags of the three loops, in the order of SoundEffect.
  std::array<int, 3> loopPlaying{};
  // Where the listener was last put.
  platform::rm::Vec3 listenerPosition{};
};

extern SoundObjects soundObjects;

// The device InitSound opened, or null: the music plays through it.
platform::sound::Device* SoundDevice();
// Opens the device `sound` gives (none: the game runs silent) and its
// listener.
bool InitSound(const platform::sound::Service& sound);
bool LoadSoundEffects();
// One effect file into a new 3D buffer (kept in *buffer and *buffer3D).
bool LoadWaveBuffer(const char* fileName, platform::Ref<platform::sound::SoundBuffer>* buffer,
                    platform::Ref<platform::sound::Sound3DBuffer>* buffer3D);
void ReleaseSoundEffects();
void ReleaseSound();
void StartLoop(SoundEffect effect);
void StopLoop(SoundEffect effect);
void PlayOnce(SoundEffect effect);
void StopAllSounds();
void UpdateSoundPositions();
// Whether a loop was started and not stopped since.
bool IsLoopPlaying(SoundEffect effect);

}  // namespace audio
