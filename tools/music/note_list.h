#pragma once
// Reads a note list, the readable source of one piece:
//
//   title  Morning Table          # free text
//   tempo  132                    # quarter notes per minute
//   meter  4/4
//   pattern beat                  # a named run of bars, used by `play`
//   | 36/4 42/8 42/8 38/4 42/4 |
//   end
//   track lead channel 0 program 73 volume 100 pan 64 reverb 50 chorus 0 gate 90 velocity 96
//   | E5/8 G5/8 C6/4 r/4 C5+E5+G5/4 |
//   play beat x4
//
// A note is a pitch (C4 = 60, sharps '#', flats 'b', or a key number), a
// chord of pitches joined by '+', or the rest 'r', then '/' and a length:
// 1 2 4 8 16 32 for whole to thirty-second, '.' dotted, 't' triplet, and
// lengths joined by '_' are tied ("2_8"). `v80` sets the velocity of the
// notes that follow. Every bar between '|' must fill the meter exactly, and
// every track must have as many bars as the longest.
#include <string>

#include "song.h"

namespace music_tool {

// False with "line N: why" in `error` when the text is not a valid list.
bool ParseNoteList(const std::string& text, Song* song, std::string* error);

}  // namespace music_tool
