#pragma once
// Result codes of the music service. They share the audio facility (0x878)
// with the sound service and keep clear of its codes.
#include "platform/result.h"

namespace platform::music {

constexpr HResult MakeMusicHResult(std::uint32_t code) { return MakeComError(0x88780000u | (code & 0xFFFFu)); }

constexpr HResult kMusicNotInitialized = MakeMusicHResult(0x1001);  // performance without a synth
constexpr HResult kMusicNoSoundFont = MakeMusicHResult(0x1002);     // the instruments could not be read
constexpr HResult kMusicFileNotFound = MakeMusicHResult(0x1003);    // the loader could not open the file
constexpr HResult kMusicBadFile = MakeMusicHResult(0x1004);         // not a playable Standard MIDI File
constexpr HResult kMusicNoOutput = MakeMusicHResult(0x1005);        // the output stream could not be made
constexpr HResult kMusicClosed = MakeMusicHResult(0x1006);          // the performance was closed down

}  // namespace platform::music
