#pragma once
// 3D-positioned sound effects.

namespace audio {

enum class SoundEffect { DriveLoop, SwingLoop, HydraulicLoop, OrderReadyChime, ScoreTick, CursorMove, ButtonAssigned, FallSound };

bool InitSound();
bool LoadSoundEffects();
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
