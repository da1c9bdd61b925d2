// The note-list tool and the MIDI file check: what the tool writes is what
// the check reads back, and no damaged file gets past the check.
#include <gtest/gtest.h>

#include "midi_writer.h"
#include "note_list.h"
#include "platform/music/midi_file.h"

namespace {

using platform::music::CheckMidiFile;
using platform::music::MidiFileInfo;

const char* kTwoBars = R"(
title Two Bars   # a comment
tempo 120
meter 4/4
pattern hat
| 42/4 42/4 42/4 42/4 |
end
track lead channel 0 program 73 gate 50
| C4/4 D#4/8 Eb4/8 C4+E4+G4/2 | r/8t r/8t r/8t G4/4. A4/8 B4/8t_8t_8t |
track drums channel 9
play hat x2
)";

music_tool::Song Parse(const std::string& text) {
  music_tool::Song song;
  std::string error;
  EXPECT_TRUE(music_tool::ParseNoteList(text, &song, &error)) << error;
  return song;
}

std::string ParseError(const std::string& text) {
  music_tool::Song song;
  std::string error;
  EXPECT_FALSE(music_tool::ParseNoteList(text, &song, &error));
  return error;
}

TEST(NoteList, ReadsPitchesLengthsChordsAndPatterns) {
  const music_tool::Song song = Parse(kTwoBars);
  EXPECT_EQ(song.title, "Two Bars");
  ASSERT_EQ(song.tracks.size(), 2u);
  const auto& lead = song.tracks[0].notes;
  ASSERT_EQ(lead.size(), 9u);  // 1 + 2 + chord of 3 + 3 after the triplet rests
  EXPECT_EQ(lead[0].key, 60);
  EXPECT_EQ(lead[1].key, 63);
  EXPECT_EQ(lead[2].key, 63);  // D#4 and Eb4 are the same key
  EXPECT_EQ(lead[1].tick, 480u);
  EXPECT_EQ(lead[3].tick, 960u);
  EXPECT_EQ(lead[5].tick, 960u);          // chord notes start together
  EXPECT_EQ(lead[6].tick, 1920u + 480u);  // three triplet eighths fill one beat
  EXPECT_EQ(lead[0].length, 240u);        // gate 50
  EXPECT_EQ(song.tracks[0].endTick, 3840u);
  EXPECT_EQ(song.tracks[1].notes.size(), 8u);
  EXPECT_EQ(song.tracks[1].endTick, 3840u);
}

TEST(NoteList, RefusesMistakesWithTheirLine) {
  EXPECT_EQ(ParseError("track a\n| C4/4 C4/4 C4/4 |\n"), "line 2: bar does not fill the meter");
  EXPECT_EQ(ParseError("track a\n| H4/1 |\n"), "line 2: bad pitch in 'H4/1'");
  EXPECT_EQ(ParseError("| C4/1 |\n"), "line 1: notes before the first track");
  EXPECT_EQ(ParseError("track a\nplay nothing\n"), "line 2: no pattern named nothing");
  EXPECT_EQ(ParseError("pattern p\nplay p\nend\ntrack a\nplay p\n"), "line 2: patterns nested too deeply");
  EXPECT_EQ(ParseError("track a\n| G#9/1 |\n"), "line 2: bad pitch in 'G#9/1'");  // key 128
  EXPECT_EQ(ParseError("track a\n| C4/1 | C4/1 |\ntrack b\n| C4/1 |\n"), "track b has 1 bars, the longest 2");
}

TEST(MidiWriter, WritesWhatTheCheckReadsBack) {
  const auto bytes = music_tool::WriteMidiFile(Parse(kTwoBars));
  const MidiFileInfo info = CheckMidiFile(bytes);
  ASSERT_TRUE(info.valid) << info.error;
  EXPECT_EQ(info.format, 1);
  EXPECT_EQ(info.trackCount, 3);  // tempo track + two parts
  EXPECT_EQ(info.division, 480);
  EXPECT_EQ(info.lengthTicks, 3840u);
  EXPECT_EQ(info.noteCount, 17u);
  EXPECT_DOUBLE_EQ(info.lengthSeconds, 4.0);  // two bars at 120
}

std::vector<std::uint8_t> Header(std::uint16_t format, std::uint16_t tracks, std::uint16_t division) {
  return {'M',
          'T',
          'h',
          'd',
          0,
          0,
          0,
          6,
          0,
          static_cast<std::uint8_t>(format),
          static_cast<std::uint8_t>(tracks >> 8),
          static_cast<std::uint8_t>(tracks),
          static_cast<std::uint8_t>(division >> 8),
          static_cast<std::uint8_t>(division)};
}

std::vector<std::uint8_t> WithTrack(std::vector<std::uint8_t> file, const std::vector<std::uint8_t>& events) {
  const auto n = static_cast<std::uint32_t>(events.size());
  file.insert(file.end(), {'M', 'T', 'r', 'k', static_cast<std::uint8_t>(n >> 24), static_cast<std::uint8_t>(n >> 16),
                           static_cast<std::uint8_t>(n >> 8), static_cast<std::uint8_t>(n)});
  file.insert(file.end(), events.begin(), events.end());
  return file;
}

std::string Why(const std::vector<std::uint8_t>& bytes) {
  const MidiFileInfo info = CheckMidiFile(bytes);
  EXPECT_FALSE(info.valid);
  return info.error;
}

TEST(MidiFileCheck, RefusesDamagedHeadersAndTracks) {
  const std::vector<std::uint8_t> note{0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00};
  ASSERT_TRUE(CheckMidiFile(WithTrack(Header(0, 1, 96), note)).valid);
  // A program change and a channel pressure carry one data byte, the rest two.
  const MidiFileInfo oneByte =
      CheckMidiFile(WithTrack(Header(0, 1, 96), {0x00, 0xC0, 5, 0x00, 0xD0, 64, 0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0,
                                                 0x00, 0xFF, 0x2F, 0x00}));
  EXPECT_TRUE(oneByte.valid);
  EXPECT_EQ(oneByte.noteCount, 1u);
  EXPECT_EQ(oneByte.lengthTicks, 0x60u);

  EXPECT_EQ(Why({}), "not a Standard MIDI File");
  EXPECT_EQ(Why(WithTrack(Header(2, 1, 96), note)), "only formats 0 and 1 are played");
  EXPECT_EQ(Why(WithTrack(Header(0, 2, 96), note)), "bad track count");
  EXPECT_EQ(Why(WithTrack(Header(1, 0, 96), note)), "bad track count");
  EXPECT_EQ(Why(WithTrack(Header(1, 65, 96), note)), "bad track count");
  EXPECT_EQ(Why(WithTrack(Header(0, 1, 0), note)), "bad time division");
  EXPECT_EQ(Why(WithTrack(Header(0, 1, 0xE728), note)), "bad time division");  // SMPTE time
  EXPECT_EQ(Why(WithTrack(Header(1, 3, 96), note)), "file ends after 1 of 3 tracks");

  auto longChunk = WithTrack(Header(0, 1, 96), note);
  longChunk[21] = 0xFF;  // the track claims more bytes than the file has
  EXPECT_EQ(Why(longChunk), "chunk runs past the end of the file");
  auto hugeHeader = WithTrack(Header(0, 1, 96), note);
  hugeHeader[4] = 0x7F;
  EXPECT_EQ(Why(hugeHeader), "bad header chunk");

  const auto track = [](std::vector<std::uint8_t> events) { return Why(WithTrack(Header(0, 1, 96), events)); };
  EXPECT_EQ(track({0x00, 60, 100}), "track 1: data byte without a status");
  EXPECT_EQ(track({0xFF, 0xFF, 0xFF, 0xFF, 0x7F}), "track 1: bad delta time");  // five-byte number
  EXPECT_EQ(track({0x00, 0x90, 60}), "track 1: channel event cut short");
  EXPECT_EQ(track({0x00, 0x90, 60, 0x80}), "track 1: bad data byte");
  EXPECT_EQ(track({0x00, 0xFF, 0x01, 0x10, 'a'}), "track 1: meta event cut short");
  EXPECT_EQ(track({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1}), "track 1: bad tempo event");
  EXPECT_EQ(track({0x00, 0xF0, 0x8F, 0xFF, 0xFF, 0x7F}), "track 1: system exclusive cut short");
  EXPECT_EQ(track({0x00, 0xF8}), "track 1: system message not allowed in a file");
  // A meta event ends running status.
  EXPECT_EQ(track({0x00, 0x90, 60, 100, 0x00, 0xFF, 0x01, 0x00, 0x00, 62, 100}), "track 1: data byte without a status");
  std::vector<std::uint8_t> endless;
  for (int i = 0; i < 9; ++i) endless.insert(endless.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 100});
  EXPECT_EQ(track(endless), "track 1: track too long");
}

TEST(MidiFileCheck, SkipsForeignChunksButNotGarbage) {
  const std::vector<std::uint8_t> note{0x00, 0x90, 60, 100, 0x60, 60, 0};  // running status note-off
  auto file = Header(0, 1, 96);
  file.insert(file.end(), {'X', 'F', 'I', 'H', 0, 0, 0, 2, 1, 2});
  EXPECT_TRUE(CheckMidiFile(WithTrack(file, note)).valid);
  file[14] = 0x01;
  EXPECT_EQ(Why(WithTrack(file, note)), "bad chunk id");
}

TEST(MidiFileCheck, EveryCutOfARealTrackFailsCleanly) {
  const auto bytes = music_tool::WriteMidiFile(Parse(kTwoBars));
  for (std::size_t n = 0; n < bytes.size(); ++n) {
    EXPECT_FALSE(CheckMidiFile(std::span(bytes.data(), n)).valid) << "cut at " << n;
  }
}

TEST(MidiFileCheck, RefusesOversizedFilesUnread) {
  std::vector<std::uint8_t> big(platform::music::kMaxMidiFileBytes + 1, 0);
  EXPECT_EQ(Why(big), "file too large");
}

}  // namespace
