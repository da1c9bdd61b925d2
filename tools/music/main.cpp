// Builds the game's music: each note list becomes a Standard MIDI File.
//   zarn_make_music SOURCE.txt OUTPUT.mid [SOURCE.txt OUTPUT.mid ...]
#include <cstdio>
#include <fstream>
#include <sstream>

#include "midi_writer.h"
#include "note_list.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 != 1) {
    std::fprintf(stderr, "usage: %s SOURCE.txt OUTPUT.mid [SOURCE.txt OUTPUT.mid ...]\n", argv[0]);
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
    music_tool::Song song;
    std::string error;
    if (!music_tool::ParseNoteList(text.str(), &song, &error)) {
      std::fprintf(stderr, "%s: %s\n", argv[i], error.c_str());
      return 1;
    }
    const auto bytes = music_tool::WriteMidiFile(song);
    std::ofstream out(argv[i + 1], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
      std::fprintf(stderr, "%s: cannot be written\n", argv[i + 1]);
      return 1;
    }
  }
  return 0;
}
