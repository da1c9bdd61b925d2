#include "audio/sound_effects.h"

namespace audio {

// The sound device comes with the audio work; until then the game is silent,
// exactly as it is on a machine without a sound card.
bool InitSound() { return false; }
bool LoadSoundEffects() { return false; }
void ReleaseSoundEffects() {}
void ReleaseSound() {}
void StartLoop(SoundEffect) {}
void StopLoop(SoundEffect) {}
void PlayOnce(SoundEffect) {}
void StopAllSounds() {}
void UpdateSoundPositions() {}

}  // namespace audio
