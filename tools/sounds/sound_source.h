#pragma once
// The text that describes one sound effect: its length, its loudness and the
// voices mixed into it. One statement a line, '#' starts a comment:
//
//   seconds 0.6          length of the sound
//   gain 0.5             loudness of the mix, 0..1
//   rate 22050           samples per second (default 22050)
//   loop                 the end joins the start without a click
//   voice WAVE key value key value ...
//
// WAVE is sine, square, saw, triangle or noise. Keys of a voice:
//   freq HZ [to HZ]      pitch, gliding exponentially when "to" is given
//   level L              loudness of the voice, 0..1
//   start S  end S       when the voice sounds (default: all of the sound)
//   attack S  decay S  sustain L  release S   the envelope
//   tremolo HZ DEPTH     loudness wobble (depth 0..1)
//   vibrato HZ CENTS     pitch wobble
//   lowpass HZ           one-pole low-pass filter (noise is filtered best)
#include <string>
#include <vector>

namespace sound_tool {

enum class Wave { kSine, kSquare, kSaw, kTriangle, kNoise };

struct Voice {
  Wave wave = Wave::kSine;
  double freq = 440.0, freqTo = 0.0;  // freqTo 0: no glide
  double level = 1.0;
  double start = 0.0, end = -1.0;  // end -1: the end of the sound
  double attack = 0.0, decay = 0.0, sustain = 1.0, release = 0.0;
  double tremoloRate = 0.0, tremoloDepth = 0.0;
  double vibratoRate = 0.0, vibratoCents = 0.0;
  double lowpass = 0.0;  // 0: none
};

struct SoundSource {
  double seconds = 0.0;
  double gain = 1.0;
  int rate = 22050;
  bool loop = false;
  std::vector<Voice> voices;
};

// False with "line N: reason" in *error for anything out of range.
bool ParseSoundSource(const std::string& text, SoundSource* out, std::string* error);

}  // namespace sound_tool
