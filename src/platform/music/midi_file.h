#pragma once
// Checks a Standard MIDI File before the synthesizer sees it. Every size and
// count in the file is checked against the bytes that are really there, so a
// damaged or hostile file is refused with a reason instead of reaching the
// player's own parser.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace platform::music {

// Larger files are refused unread: the game's tracks are a few kilobytes.
inline constexpr std::size_t kMaxMidiFileBytes = 1u << 20;
inline constexpr int kMaxMidiTracks = 64;

struct MidiFileInfo {
  bool valid = false;
  std::string error;  // why not, when not valid
  int format = 0;     // 0 or 1
  int trackCount = 0;
  int division = 0;               // ticks per quarter note
  std::uint32_t lengthTicks = 0;  // end of the longest track
  std::uint32_t noteCount = 0;    // note-on events with a velocity
  double lengthSeconds = 0.0;     // with the file's tempo changes
};

MidiFileInfo CheckMidiFile(std::span<const std::uint8_t> bytes);

}  // namespace platform::music
