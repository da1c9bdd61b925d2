#pragma once
// Which General MIDI SoundFont the music plays with. The one the player asks
// for comes first, then our configured font, then the fonts Debian packages
// (its default-GM alternative and the packaged files by name). The first
// that loads wins; a font that is there but fails is named, and when none
// loads one line says what was tried and the music stays silent.
#include <functional>
#include <string>
#include <vector>

namespace platform::music {

inline constexpr const char* kDefaultSoundFont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// The candidates in the order they are tried: `requested` (when not empty),
// then the system's fonts, each under `root` (empty: the real file system;
// tests give a scratch folder).
std::vector<std::string> SoundFontSearchOrder(const std::string& requested, const std::string& root = "");

struct SoundFontChoice {
  std::string loaded;   // the font that loaded; empty when none did
  std::string message;  // one line for standard error, or empty
};

// Tries `candidates` in order. Only regular files reach `load` (a FIFO or a
// device would block the reader); a second name for a font already tried
// (default-GM.sf2 is a link) is skipped. `load` returns an empty string when
// the font loaded, else the reason it did not. A missing font stays quiet
// unless it was asked for (`requested`, the first candidate) or nothing
// loads; a font that is there and fails is always named.
SoundFontChoice LoadFirstSoundFont(const std::vector<std::string>& candidates, bool requested,
                                   const std::function<std::string(const std::string&)>& load);

}  // namespace platform::music
