#pragma once
// A piece of music as the note lists describe it: tracks of timed notes on
// General MIDI channels, ready to be written as a Standard MIDI File.
#include <cstdint>
#include <string>
#include <vector>

namespace music_tool {

struct Note {
  std::uint32_t tick = 0;    // start
  std::uint32_t length = 0;  // sounding length, after the gate
  int key = 60;
  int velocity = 96;
};

struct Track {
  std::string name;
  int channel = 0;   // 0..15; 9 is the percussion channel
  int program = -1;  // General MIDI program 0..127, -1 for none
  int volume = 100;  // controller 7
  int pan = 64;      // controller 10
  int reverb = 40;   // controller 91
  int chorus = 0;    // controller 93
  std::vector<Note> notes;
  std::uint32_t endTick = 0;  // where its last bar ends
};

struct Song {
  std::string title;
  int tempo = 120;     // quarter notes per minute
  int meterBeats = 4;  // time signature
  int meterUnit = 4;
  int division = 480;  // ticks per quarter note
  std::vector<Track> tracks;

  std::uint32_t BarTicks() const { return static_cast<std::uint32_t>(division * 4 * meterBeats / meterUnit); }
  std::uint32_t EndTick() const;
};

}  // namespace music_tool
