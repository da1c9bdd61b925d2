#pragma once
// Background music: three MIDI tracks, one playing at a time and repeating,
// through the music performance on the sound effects' device.
#include <array>
#include <string>

#include "core/status.h"
#include "platform/music/loader.h"
#include "platform/music/music_service.h"
#include "platform/music/performance.h"
#include "platform/music/segment.h"
#include "platform/ref.h"

namespace audio {

constexpr int kTrackCount = 3;
// Track 0 plays on the title and in play, 1 on the result screen, 2 on the
// All Cleared screen.
inline constexpr std::array<const char*, kTrackCount> kTrackFiles{"bgm1.mid", "bgm2.mid", "bgm3.mid"};

// The music objects, alive from InitMusic to CloseMusic. Any of them may be
// missing: the game then runs on without music.
struct MusicObjects {
  platform::Ref<platform::music::Performance> performance;
  platform::Ref<platform::music::Loader> loader;
  std::array<platform::Ref<platform::music::Segment>, kTrackCount> segments;
  std::array<platform::Ref<platform::music::SegmentState>, kTrackCount> segmentStates;
  int currentTrack = 0;  // the track that plays, 0..2
  // The SoundFont the player asked for (--soundfont), tried before the
  // system's General MIDI fonts; empty: none asked for.
  std::string soundFont;
};

extern MusicObjects musicObjects;

// The performance comes from `service`: silent in a headless run. Each
// reports its own failures; the game plays on without music.
core::Status InitMusic(const platform::music::Service& service);
core::Status LoadMusic();
void PlayTrack(int track);
void ToggleMusic();
void ServiceMusic();
void UnloadMusic();
void CloseMusic();

}  // namespace audio
