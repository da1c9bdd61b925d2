#pragma once
// Background music: three MIDI tracks, one playing at a time, repeating.

namespace audio {

int InitMusic();
int LoadMusic();
void PlayTrack(int track);
void ToggleMusic();
void ServiceMusic();
void UnloadMusic();
void CloseMusic();

}  // namespace audio
