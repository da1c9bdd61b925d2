// Builds the game's music: each note list becomes a Standard MIDI File.
//   zarn_make_music SOURCE.txt OUTPUT.mid [SOURCE.txt OUTPUT.mid ...]
#include "common/source_to_file.h"
#include "midi_writer.h"
#include "note_list.h"

int main(int argc, char** argv) {
  return asset_tool::ConvertPairs(argc, argv, ".mid", [](const std::string& text, auto* bytes, std::string* error) {
    music_tool::Song song;
    if (!music_tool::ParseNoteList(text, &song, error)) return false;
    *bytes = music_tool::WriteMidiFile(song);
    return true;
  });
}
