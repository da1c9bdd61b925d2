#pragma once
// Writes a Song as a Standard MIDI File, format 1: a tempo track, then one
// track per part. Every track ends at the end of the song's last bar, so a
// piece played again from its start keeps its beat.
#include <cstdint>
#include <vector>

#include "song.h"

namespace music_tool {

std::vector<std::uint8_t> WriteMidiFile(const Song& song);

}  // namespace music_tool
