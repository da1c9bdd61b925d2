// Builds the game's sound effects: each description becomes a WAV file.
//   zarn_make_sounds SOURCE.txt OUTPUT.wav [SOURCE.txt OUTPUT.wav ...]
#include <cstdio>
#include <fstream>
#include <sstream>

#include "sound_source.h"
#include "synth.h"
#include "wav_writer.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 != 1) {
    std::fprintf(stderr, "usage: %s SOURCE.txt OUTPUT.wav [SOURCE.txt OUTPUT.wav ...]\n", argv[0]);
    return 2;
  }
  for (int i = 1; i < argc; i += 2) {
    std::ifstream in(argv[i]);
    if (!in) {
      std::fprintf(stderr, "%s: cannot be read\n", argv[i]);
      return 1;
    }
    std::stringstream text;
    text << in.rdbuf();
    sound_tool::SoundSource source;
    std::string error;
    if (!sound_tool::ParseSoundSource(text.str(), &source, &error)) {
      std::fprintf(stderr, "%s: %s\n", argv[i], error.c_str());
      return 1;
    }
    const auto bytes = sound_tool::WriteWavFile(sound_tool::Render(source), source.rate);
    std::ofstream out(argv[i + 1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "%s: cannot be written\n", argv[i + 1]);
      return 1;
    }
  }
  return 0;
}
