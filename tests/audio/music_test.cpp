// Background music as the game drives it: start-up, track changes with music
// on and off, endless repeats, and what a broken set-up reports.
#include "audio/music.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "audio/report_error.h"
#include "audio/sound_effects.h"
#include "platform/os/debug_output.h"
#include "support/fresh_state.h"
#include "support/scratch.h"

namespace {

namespace fs = std::filesystem;
namespace os = platform::os;
using audio::musicObjects;
using game::gameState;

// A file of one short note on `key`: a track that ends after a tenth of a second.
std::vector<char> ShortTrack(char key) {
  return {'M', 'T', 'h', 'd', 0,  0,    0,          6,   0,   0,    0,          1,   0, 96,   'M',        'T',  'r',
          'k', 0,   0,   0,   12, 0x00, char(0x90), key, 100, 0x14, char(0x80), key, 0, 0x00, char(0xFF), 0x2F, 0x00};
}

class Music : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(test_support::FreshWindow());
    musicObjects = audio::MusicObjects{};
    home_ = fs::current_path();
    dir_ = test_support::ScratchFolder("music-game");
    char key = 60;
    for (const char* name : audio::kTrackFiles) Write(name, ShortTrack(key++));
    fs::current_path(dir_);
    os::CaptureDebugOutput(true);
    os::ClearCapturedDebugOutput();
  }
  void TearDown() override {
    audio::UnloadMusic();
    audio::CloseMusic();
    os::CaptureDebugOutput(false);
    fs::current_path(home_);
    fs::remove_all(dir_);
  }
  void Write(const char* name, const std::vector<char>& bytes) {
    std::ofstream(dir_ / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  bool StartUp() { return audio::InitMusic(*synth_).Ok() && audio::LoadMusic().Ok(); }

  // Plays `seconds` of music as the sound device would take it.
  void Render(double seconds) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * 44100) * 2);
    musicObjects.performance->Render(samples.data(), static_cast<int>(samples.size() / 2));
  }
  void RunTurns(int n) {
    for (int i = 0; i < n; ++i) {
      test_support::Drain();
      os::EndTurn();
    }
  }
  // The segment that plays now, or -1.
  int PlayingTrack() const {
    const auto& playing = musicObjects.performance->PlayingState();
    for (int t = 0; t < audio::kTrackCount; ++t) {
      if (playing && playing == musicObjects.segmentStates[t] && playing->GetSegment() == musicObjects.segments[t])
        return t;
    }
    return -1;
  }
  static std::vector<std::string> Reports() {
    std::vector<std::string> reports;
    for (const std::string& line : os::CapturedDebugOutput()) {
      if (line.rfind("0x", 0) == 0) reports.push_back(line.substr(11, line.size() - 12));
    }
    return reports;
  }

  fs::path home_, dir_;
  // What a live run plays with: these tests hear the tracks end.
  const std::unique_ptr<platform::music::Service> synth_ = platform::music::MakeSynthService();
};

TEST_F(Music, TrackChangesPlayOnlyWithMusicOn) {
  ASSERT_TRUE(StartUp());
  EXPECT_TRUE(Reports().empty());
  EXPECT_EQ(PlayingTrack(), 0);
  audio::PlayTrack(1);
  EXPECT_EQ(musicObjects.currentTrack, 1);
  EXPECT_EQ(PlayingTrack(), 1);

  audio::ToggleMusic();  // off
  EXPECT_EQ(gameState.musicEnabled, 0);
  EXPECT_EQ(PlayingTrack(), -1);
  audio::PlayTrack(2);
  EXPECT_EQ(musicObjects.currentTrack, 2);
  EXPECT_EQ(PlayingTrack(), -1);
  Render(0.5);
  audio::ServiceMusic();
  EXPECT_EQ(PlayingTrack(), -1);  // a stopped track does not come back by itself

  RunTurns(31);          // the latch lets go after 500 ms
  audio::ToggleMusic();  // on: the track chosen while off plays, from its start
  EXPECT_EQ(gameState.musicEnabled, 1);
  EXPECT_EQ(PlayingTrack(), 2);
}

TEST_F(Music, AnEndedTrackStartsAgainUntilAnotherIsChosen) {
  ASSERT_TRUE(StartUp());
  audio::PlayTrack(1);
  for (int round = 0; round < 3; ++round) {
    const auto before = musicObjects.segmentStates[1];
    Render(0.3);
    EXPECT_EQ(PlayingTrack(), -1);
    audio::ServiceMusic();
    EXPECT_EQ(PlayingTrack(), 1);
    EXPECT_NE(musicObjects.segmentStates[1], before);
  }
  audio::PlayTrack(0);
  Render(0.3);
  audio::ServiceMusic();
  EXPECT_EQ(PlayingTrack(), 0);
}

TEST_F(Music, AMissingOrBrokenFileStopsTheLoadingAndStartsNothing) {
  for (const bool broken : {false, true}) {
    SCOPED_TRACE(broken ? "broken" : "missing");
    if (broken) {
      Write("bgm2.mid", ShortTrack(62));
      auto cut = ShortTrack(60);
      cut.resize(cut.size() - 3);
      Write("bgm1.mid", cut);
    } else {
      fs::remove(dir_ / "bgm2.mid");
    }
    os::ClearCapturedDebugOutput();
    ASSERT_TRUE(audio::InitMusic(*synth_).Ok());
    EXPECT_FALSE(audio::LoadMusic().Ok());
    EXPECT_EQ(Reports(), std::vector<std::string>{audio::error_text::kSegmentLoad});
    EXPECT_FALSE(musicObjects.segments[2]);
    EXPECT_EQ(PlayingTrack(), -1);
    audio::PlayTrack(2);
    audio::ServiceMusic();
    EXPECT_EQ(PlayingTrack(), -1);
    audio::UnloadMusic();
    audio::CloseMusic();
  }
}

TEST_F(Music, PlaysThroughTheSoundEffectsDevice) {
  fs::current_path(ZARN_RUN_DIR);
  audio::soundObjects = audio::SoundObjects{};
  ASSERT_TRUE(audio::InitSound(*platform::sound::MakeLoopbackService()));
  ASSERT_TRUE(StartUp());
  EXPECT_TRUE(musicObjects.performance->HasOutput());
  int peak = 0;
  for (int turn = 0; turn < 60; ++turn) {
    audio::ServiceMusic();
    for (std::int16_t s : audio::SoundDevice()->RenderSamples(735)) peak = std::max(peak, std::abs(int{s}));
  }
  EXPECT_GT(peak, 1000);
  // Shut down in the game's order: the music lets go of the device first.
  audio::UnloadMusic();
  audio::CloseMusic();
  audio::ReleaseSoundEffects();
  audio::ReleaseSound();
}

}  // namespace
