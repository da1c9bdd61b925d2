#include "audio/sound_effects.h"

namespace audio {

// The sound device comes with the audio work; until then the game is silent,
// exactly as it is on a machine without a sound card.
bool InitSound() { return false; }
bool LoadSoundEffects() { return false; }
void ReleaseSoundEffects() {}
void ReleaseSound() {}
namespace {
// Playing flags of the three loops, kept even while the game is silent so
// that starts and stops pair up as they will with a device.
bool loopPlaying[3] = {};
int LoopIndex(SoundEffect e) {
  switch (e) {
    case SoundEffect::DriveLoop: return 0;
    case SoundEffect::SwingLoop: return 1;
    case SoundEffect::HydraulicLoop: return 2;
    default: return -1;
  }
}
}  // namespace

void StartLoop(SoundEffect e) {
  if (int i = LoopIndex(e); i >= 0) loopPlaying[i] = true;
}
void StopLoop(SoundEffect e) {
  if (int i = LoopIndex(e); i >= 0) loopPlaying[i] = false;
}
bool IsLoopPlaying(SoundEffect e) {
  int i = LoopIndex(e);
  return i >= 0 && loopPlaying[i];
}
void PlayOnce(SoundEffect) {}
void StopAllSounds() {
  for (bool& playing : loopPlaying) playing = false;
}
void UpdateSoundPositions() {}

}  // namespace audio
