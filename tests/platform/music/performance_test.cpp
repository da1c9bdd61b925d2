// The performance renders our tracks through the synthesizer, reports a
// segment's end, and replaces or stops segments without stray ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/music/loader.h"
#include "platform/music/music_result.h"
#include "platform/music/synth_performance.h"
#include "support/succeeds.h"

namespace {

using namespace platform::music;
using platform::Ref;

int Peak(const std::vector<std::int16_t>& samples) {
  int peak = 0;
  for (std::int16_t s : samples) peak = std::max(peak, std::abs(static_cast<int>(s)));
  return peak;
}

// A file of one short note: a segment that ends after a tenth of a second.
std::vector<std::uint8_t> ShortNoteFile() {
  return {'M', 'T', 'h', 'd',  0,    0,    0,    6,    0,  0,   0,    1,    0,  96, 'M',  'T',  'r',  'k', 0,
          0,   0,   15,  0x00, 0xC0, 0x00, 0x00, 0x90, 72, 100, 0x14, 0x80, 72, 0,  0x00, 0xFF, 0x2F, 0x00};
}
Ref<Segment> ShortNote() {
  const auto bytes = ShortNoteFile();
  return platform::MakeRef<Segment>("short", bytes, CheckMidiFile(bytes));
}

class PerformanceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    performance_ = platform::MakeRef<SynthPerformance>();
    ASSERT_EQ(performance_->Init(nullptr), platform::kOk);
    ASSERT_EQ(performance_->AddNotificationType(NotificationType::Segment), platform::kOk);
  }
  static void TearDownTestSuite() { performance_.reset(); }
  void SetUp() override {
    EXPECT_OK(performance_->Stop());
    Notification n;
    while (performance_->GetNotification(&n) == platform::kOk) {}
  }

  static Ref<Segment> Load(const std::string& name) {
    Ref<Loader> loader;
    EXPECT_OK(CreateLoader(&loader));
    EXPECT_OK(loader->SetSearchDirectory(ZARN_RUN_DIR));
    Ref<Segment> segment;
    EXPECT_EQ(loader->GetObject(name, &segment), platform::kOk) << name;
    return segment;
  }
  std::vector<std::int16_t> Render(double seconds) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>(seconds * performance_->SampleRate()) * 2);
    performance_->Render(samples.data(), static_cast<int>(samples.size() / 2));
    return samples;
  }
  int CountSegmentEnds() {
    int ends = 0;
    Notification n;
    while (performance_->GetNotification(&n) == platform::kOk) {
      if (n.type == NotificationType::Segment && n.option == NotificationOption::SegmentEnd) ++ends;
    }
    return ends;
  }

  static Ref<Performance> performance_;
};

Ref<Performance> PerformanceTest::performance_;

TEST_F(PerformanceTest, ASegmentThatPlaysOutSendsOneEndWithItsState) {
  Ref<SegmentState> state;
  ASSERT_EQ(performance_->PlaySegment(ShortNote().get(), 0, 0, &state), platform::kOk);
  Render(0.05);
  EXPECT_EQ(CountSegmentEnds(), 0);
  Render(0.2);
  Notification n;
  ASSERT_EQ(performance_->GetNotification(&n), platform::kOk);
  EXPECT_EQ(n.option, NotificationOption::SegmentEnd);
  EXPECT_EQ(n.state, state);
  EXPECT_EQ(performance_->GetNotification(&n), platform::kFalse);
  EXPECT_FALSE(performance_->IsPlaying());
  Render(0.5);
  EXPECT_EQ(CountSegmentEnds(), 0);

  // Started again, it plays and ends again.
  ASSERT_EQ(performance_->PlaySegment(state->GetSegment().get(), 0, 0, &state), platform::kOk);
  EXPECT_GT(Peak(Render(0.1)), 300);
  Render(0.2);
  EXPECT_EQ(CountSegmentEnds(), 1);
}

TEST_F(PerformanceTest, ReplacedAndStoppedSegmentsSendNoEnd) {
  Ref<Segment> shortNote = ShortNote();
  Ref<Segment> bgm3 = Load("bgm3.mid");
  EXPECT_OK(performance_->PlaySegment(shortNote.get(), 0, 0, nullptr));
  Render(0.02);
  EXPECT_OK(performance_->PlaySegment(bgm3.get(), 0, 0, nullptr));  // replaces the short one
  Render(0.5);
  EXPECT_EQ(CountSegmentEnds(), 0);
  EXPECT_TRUE(performance_->IsPlaying());

  EXPECT_OK(performance_->PlaySegment(shortNote.get(), 0, 0, nullptr));
  Render(0.02);
  EXPECT_EQ(performance_->Stop(), platform::kOk);
  EXPECT_FALSE(performance_->IsPlaying());
  Render(0.3);
  EXPECT_LT(Peak(Render(0.2)), 300);  // at most the reverb's tail
  EXPECT_EQ(CountSegmentEnds(), 0);
}

TEST_F(PerformanceTest, OnTheBeatANewSegmentWaitsForThePlayingOnesNextBeat) {
  Ref<Segment> bgm1 = Load("bgm1.mid");  // 132 a minute: a beat every 0.4545 s
  EXPECT_OK(performance_->PlaySegment(bgm1.get(), 0, 0, nullptr));
  Render(0.1);
  Ref<SegmentState> state;
  ASSERT_EQ(performance_->PlaySegment(ShortNote().get(), segf::kBeat, 0, &state), platform::kOk);
  EXPECT_EQ(performance_->PlayingState(), state);
  Render(0.3);  // started at once, the short note would have ended by now
  EXPECT_EQ(CountSegmentEnds(), 0);
  Render(0.0545 + 0.104 + 0.01);
  EXPECT_EQ(CountSegmentEnds(), 1);

  // With nothing playing there is no beat to wait for.
  ASSERT_EQ(performance_->PlaySegment(ShortNote().get(), segf::kBeat, 0, &state), platform::kOk);
  Render(0.11);
  EXPECT_EQ(CountSegmentEnds(), 1);
}

TEST(Performance, WithoutInstrumentsNothingPlays) {
  // A file that is not a SoundFont: FluidSynth refuses it and the
  // performance stays silent.
  const std::filesystem::path notAFont = std::filesystem::temp_directory_path() / "zarn-not-a-font.sf2";
  std::ofstream(notAFont) << "RIFF, but not a SoundFont\n";
  const Ref<Performance> p = platform::MakeRef<SynthPerformance>();
  Performance::Options options;
  options.soundFonts = {notAFont.string()};
  options.soundFontRequested = true;
  EXPECT_EQ(p->Init(nullptr, options), kMusicNoSoundFont);
  std::filesystem::remove(notAFont);
  EXPECT_FALSE(p->Ready());
  const Ref<Segment> segment = ShortNote();
  EXPECT_EQ(p->PlaySegment(segment.get(), 0, 0, nullptr), kMusicNotInitialized);
  EXPECT_EQ(segment->SetParam(SegmentParam::Download, p.get()), kMusicNotInitialized);
  std::vector<std::int16_t> samples(64, 1);
  p->Render(samples.data(), 32);
  EXPECT_EQ(Peak(samples), 0);
  EXPECT_EQ(p->CloseDown(), platform::kOk);
  EXPECT_EQ(p->Stop(), kMusicClosed);
}

TEST(Performance, ADamagedSoundFontIsNamedAndTheNextOnePlays) {
  // A SoundFont's first bytes, then nothing: FluidSynth tries its other
  // readers too, whose libraries must not add lines of their own.
  const std::filesystem::path cut = std::filesystem::temp_directory_path() / "zarn-cut.sf2";
  std::ofstream(cut, std::ios::binary) << std::string("RIFF\xff\xff\xff\x7fsfbkLIST", 16);
  Performance::Options options;
  options.soundFonts = SoundFontSearchOrder(cut.string());
  options.soundFontRequested = true;
  const Ref<Performance> p = platform::MakeRef<SynthPerformance>();
  testing::internal::CaptureStderr();
  const platform::HResult result = p->Init(nullptr, options);
  const std::string errors = testing::internal::GetCapturedStderr();
  std::filesystem::remove(cut);
  ASSERT_EQ(result, platform::kOk) << errors;
  EXPECT_NE(errors.find("zarn-cut.sf2: a damaged SoundFont; the music plays with /"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("CRITICAL"), std::string::npos) << errors;
}

}  // namespace
