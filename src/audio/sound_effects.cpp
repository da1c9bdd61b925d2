#include "audio/sound_effects.h"

#include "audio/sound_effect_table.h"
#include "audio/wave_reader.h"
#include "core/game_state.h"
#include "platform/os/data_folder.h"
#include "platform/os/debug_output.h"
#include "platform/os/window.h"
#include "scene/scene_objects.h"

namespace audio {

namespace snd = platform::sound;
using platform::Failed;
using platform::Ref;

SoundObjects soundObjects;

namespace {

// Why results are dropped here: an effect plays on whatever the device
// refuses, and the next request tries again; nothing is shown for it.
constexpr const char* kSettingIgnored = "a refused setting leaves the device's default";
constexpr const char* kPlayIgnored = "a refused play or stop is tried again by the next request";
constexpr const char* kPoseIgnored = "a refused position leaves the last one in place";

// The excavator is mostly heard from a camera some 40 units off, where the
// 3D law leaves a fifth of its sound: the lift brings it to a game's usual
// loudness there, and the ceiling keeps it, heard from a camera on the
// excavator, no louder than its file (docs/sound.md, "Balance").
constexpr float kExcavatorGain = 3.5f;
constexpr float kExcavatorCeiling = 1.0f;

bool Fail(const char* text) {
  platform::os::MessageBox("Error", text);
  return false;
}

int LoopIndex(SoundEffect effect) {
  switch (effect) {
    case SoundEffect::DriveLoop: return 0;
    case SoundEffect::SwingLoop: return 1;
    case SoundEffect::HydraulicLoop: return 2;
    default: return -1;
  }
}

snd::SoundBuffer* Buffer(SoundEffect effect) {
  const int i = EffectIndex(effect);
  return i >= 0 ? soundObjects.buffers[i].get() : nullptr;
}

}  // namespace

snd::Device* SoundDevice() { return soundObjects.device.get(); }

bool InitSound(const snd::Service& sound) {
  SoundObjects& s = soundObjects;
  // A set-up that fails half-way leaves no sound at all rather than a device
  // without a listener.
  Ref<snd::Device> device;
  platform::HResult created = sound.OpenDevice(&device);
  // No sound device (a machine without a sound card, a headless run) is not
  // an error: the game runs silent and says nothing.
  if (created == snd::kNoDriver) {
    platform::os::OutputDebugString("sound: no device, the game runs silent\n");
    return false;
  }
  if (Failed(created)) return Fail("DirectSoundオブジェクトの作成に失敗");
  if (Failed(device->SetCooperativeLevel(platform::os::MainWindow(), snd::cooperation::kPriority)))
    return Fail("協調レベルの設定に失敗");
  Ref<snd::SoundBuffer> primary;
  const snd::BufferDesc desc{snd::caps::kPrimaryBuffer | snd::caps::kCtrl3D, 0, nullptr};
  if (Failed(device->CreateSoundBuffer(desc, &primary))) return Fail("プライマリ・バッファの作成に失敗");
  Ref<snd::Listener> listener;
  if (Failed(primary->GetListener(&listener))) return Fail("リスナーの作成に失敗");
  listener->SetRolloffFactor(0.1f).Ignore(kSettingIgnored);
  listener->SetDopplerFactor(10.0f).Ignore(kSettingIgnored);
  listener->SetDistanceFactor(1.0f).Ignore(kSettingIgnored);
  s.device = device;
  s.primary = primary;
  s.listener = listener;
  return true;
}

bool LoadWaveBuffer(const char* fileName, Ref<snd::SoundBuffer>* buffer, Ref<snd::Sound3DBuffer>* buffer3D) {
  WaveReader reader;
  const std::string path = platform::os::DataFile(fileName);
  if (Failed(reader.Open(path))) {
    // The message box keeps its own words; the file and the reason go to
    // standard error.
    platform::os::ReportRefusedFile(path, reader.Error());
    return Fail("WAVEファイルのオープンに失敗");
  }
  const snd::BufferDesc desc{snd::caps::kCtrl3D | snd::caps::kGlobalFocus | snd::caps::kGetCurrentPosition2,
                             reader.DataSize(), reader.Format()};
  if (!soundObjects.device || Failed(soundObjects.device->CreateSoundBuffer(desc, buffer)) ||
      Failed((*buffer)->Get3DBuffer(buffer3D))) {
    *buffer = nullptr;
    return Fail("バッファの作成に失敗");
  }
  void* region1 = nullptr;
  void* region2 = nullptr;
  std::uint32_t bytes1 = 0, bytes2 = 0;
  auto lock = [&] { return (*buffer)->Lock(0, 0, &region1, &bytes1, &region2, &bytes2, snd::kLockEntireBuffer); };
  platform::HResult r = lock();
  if (r == snd::kBufferLost) {
    (*buffer)->Restore().Ignore("the second lock tells whether restoring worked");
    r = lock();
  }
  // A buffer that cannot be filled stays silent; it still counts as loaded.
  if (!Failed(r)) {
    reader.ReadData(bytes1, region1);
    if (region2) reader.ReadData(bytes2, region2);
    (*buffer)
        ->Unlock(region1, bytes1, region2, bytes2)
        .Ignore("the bytes are in; a refused unlock leaves nothing to undo");
  }
  return true;
}

bool LoadSoundEffects() {
  SoundObjects& s = soundObjects;
  // Without a device and listener nothing can be loaded; InitSound has
  // already said so.
  if (!s.device || !s.listener) return false;
  for (int i = 0; i < kEffectCount; ++i) {
    if (!LoadWaveBuffer(kEffectTable[i].file, &s.buffers[i], &s.buffers3D[i]))
      return Fail("セカンダリ・バッファの作成に失敗");
  }
  for (int i = 0; i < kEffectCount; ++i) {
    snd::Sound3DBuffer* buffer3D = s.buffers3D[i].get();
    buffer3D->SetMinDistance(0.0f).Ignore(kSettingIgnored);
    buffer3D->SetMaxDistance(50.0f).Ignore(kSettingIgnored);
    buffer3D->SetConeOutsideVolume(0).Ignore(kSettingIgnored);
    if (kEffectTable[i].place == EffectPlace::kExcavator) {
      buffer3D->SetGain(kExcavatorGain).Ignore(kSettingIgnored);
      buffer3D->SetGainCeiling(kExcavatorCeiling).Ignore(kSettingIgnored);
    }
  }
  return true;
}

void ReleaseSoundEffects() {
  SoundObjects& s = soundObjects;
  for (auto& buffer : s.buffers)
    if (buffer) buffer->Stop().Ignore(kPlayIgnored);
  for (auto& buffer3D : s.buffers3D) buffer3D = nullptr;
  for (auto& buffer : s.buffers) buffer = nullptr;
}

void ReleaseSound() {
  SoundObjects& s = soundObjects;
  s.listener = nullptr;
  s.primary = nullptr;
  s.device = nullptr;
}

void StartLoop(SoundEffect effect) {
  const int loop = LoopIndex(effect);
  if (loop < 0) return;
  if (snd::SoundBuffer* b = Buffer(effect)) {
    b->SetCurrentPosition(0).Ignore(kPlayIgnored);
    b->Play(snd::kPlayLooping).Ignore(kPlayIgnored);
  }
  soundObjects.loopPlaying[loop] = 1;
}

void StopLoop(SoundEffect effect) {
  const int loop = LoopIndex(effect);
  if (loop < 0) return;
  if (snd::SoundBuffer* b = Buffer(effect)) b->Stop().Ignore(kPlayIgnored);
  soundObjects.loopPlaying[loop] = 0;
}

bool IsLoopPlaying(SoundEffect effect) {
  const int loop = LoopIndex(effect);
  return loop >= 0 && soundObjects.loopPlaying[loop] == 1;
}

void PlayOnce(SoundEffect effect) {
  if (snd::SoundBuffer* b = Buffer(effect)) b->Play(0).Ignore(kPlayIgnored);
}

void StopAllSounds() {
  for (SoundEffect loop : {SoundEffect::DriveLoop, SoundEffect::SwingLoop, SoundEffect::HydraulicLoop})
    if (IsLoopPlaying(loop)) StopLoop(loop);
}

void UpdateSoundPositions() {
  SoundObjects& s = soundObjects;
  const scene::SceneObjects& o = scene::objects;
  const int camera = game::gameState.cameraIndex;
  // The title and replay cameras leave the listener where it was.
  if (camera >= 1 && camera <= 8 && o.camera[camera] && o.sceneRoot) {
    platform::rm::Vec3 position, front, up;
    o.camera[camera]->GetPosition(o.sceneRoot.get(), &position).Ignore(kPoseIgnored);
    o.camera[camera]->GetOrientation(o.sceneRoot.get(), &front, &up).Ignore(kPoseIgnored);
    s.listenerPosition = position;
    if (s.listener) {
      s.listener->SetPosition(position.x, position.y, position.z).Ignore(kPoseIgnored);
      s.listener->SetOrientation(front, up).Ignore(kPoseIgnored);
    }
  }
  platform::rm::Vec3 base;
  if (o.baseFrame && o.sceneRoot) o.baseFrame->GetPosition(o.sceneRoot.get(), &base).Ignore(kPoseIgnored);
  for (int i = 0; i < kEffectCount; ++i) {
    if (!s.buffers3D[i]) continue;
    if (kEffectTable[i].place == EffectPlace::kExcavator)
      s.buffers3D[i]->SetPosition(base.x, base.y + 10.0f, base.z).Ignore(kPoseIgnored);
    else if (kEffectTable[i].place == EffectPlace::kListener)
      s.buffers3D[i]
          ->SetPosition(s.listenerPosition.x, s.listenerPosition.y, s.listenerPosition.z)
          .Ignore(kPoseIgnored);
  }
}

}  // namespace audio
