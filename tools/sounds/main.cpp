// Builds the game's sound effects: each description becomes a WAV file.
//   zarn_make_sounds SOURCE.txt OUTPUT.wav [SOURCE.txt OUTPUT.wav ...]
#include "common/source_to_file.h"
#include "sound_source.h"
#include "synth.h"
#include "wav_writer.h"

int main(int argc, char** argv) {
  return asset_tool::ConvertPairs(argc, argv, ".wav", [](const std::string& text, auto* bytes, std::string* error) {
    sound_tool::SoundSource source;
    if (!sound_tool::ParseSoundSource(text, &source, error)) return false;
    *bytes = sound_tool::WriteWavFile(sound_tool::Render(source), source.rate);
    return true;
  });
}
