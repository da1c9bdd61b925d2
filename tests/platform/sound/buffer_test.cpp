#include "loopback.h"
#include "support/succeeds.h"

namespace sound_test {
namespace {

using BufferCreation = Loopback;

TEST_F(BufferCreation, RefusesWhatCannotBePlayedWithAReason) {
  WaveFormat format = Mono16();
  Ref<SoundBuffer> b;
  auto create = [&](std::uint32_t flags, std::uint32_t bytes, const WaveFormat* f) {
    return device->CreateSoundBuffer(BufferDesc{flags, bytes, f}, &b);
  };
  EXPECT_EQ(create(caps::kCtrl3D, 0, &format), kInvalidParam);
  EXPECT_EQ(create(caps::kCtrl3D, kMaxBufferBytes + 1, &format), kInvalidParam);
  EXPECT_EQ(create(caps::kCtrl3D, 100, nullptr), kInvalidParam);
  EXPECT_EQ(create(caps::kPrimaryBuffer, 100, nullptr), kInvalidParam);

  const std::pair<const char*, void (*)(WaveFormat&)> odd[] = {
      {"compressed", [](WaveFormat& f) { f.formatTag = 2; }},
      {"24 bits", [](WaveFormat& f) { f.bitsPerSample = 24, f.blockAlign = 3; }},
      {"block of two 16-bit channels", [](WaveFormat& f) { f.blockAlign = 4; }},
      {"rate 0", [](WaveFormat& f) { f.samplesPerSec = 0; }},
  };
  for (const auto& [what, spoil] : odd) {
    WaveFormat f = format;
    spoil(f);
    EXPECT_EQ(create(caps::kCtrl3D, f.bitsPerSample == 24 ? 99 : 100, &f), kBadFormat) << what;
  }
  WaveFormat stereo = format;
  stereo.channels = 2;
  stereo.blockAlign = 4;
  EXPECT_EQ(create(caps::kCtrl3D, 100, &stereo), kInvalidParam) << "a 3D sound is mono";
  EXPECT_EQ(create(0, 100, &stereo), kOk) << "a plain buffer may be stereo";
}

using Playback = Loopback;

TEST_F(Playback, PlayingAgainContinuesAndStopKeepsThePlace) {
  Ref<SoundBuffer> tone = Tone(1.0);
  ASSERT_EQ(tone->Play(0), kOk);
  EXPECT_EQ(Status(tone), kStatusPlaying);
  Render(4410);
  const std::uint32_t at = Position(tone);
  EXPECT_GT(at, 0u);
  EXPECT_OK(tone->Play(0));  // still playing: not restarted
  EXPECT_GE(Position(tone), at);

  EXPECT_OK(tone->Stop());
  EXPECT_EQ(Status(tone), 0u);
  Render(4410);
  EXPECT_EQ(Position(tone), at) << "a stopped buffer keeps its place";
  EXPECT_OK(tone->Play(kPlayLooping));
  EXPECT_EQ(Status(tone), kStatusPlaying | kStatusLooping);
  EXPECT_EQ(Position(tone), at) << "and resumes from it";

  EXPECT_OK(tone->SetCurrentPosition(1000));
  EXPECT_EQ(Position(tone), 1000u);
  EXPECT_EQ(tone->SetCurrentPosition(tone->Bytes()), kInvalidParam);
}

TEST_F(Playback, AOneShotThatEndedStartsOverAndALoopGoesOn) {
  Ref<SoundBuffer> shot = Tone(0.05);
  Ref<SoundBuffer> loop = Tone(0.05);
  EXPECT_OK(shot->Play(0));
  EXPECT_OK(loop->Play(kPlayLooping));
  Render(44100 / 5);
  EXPECT_EQ(Status(shot), 0u) << "played to its end";
  EXPECT_EQ(Status(loop), kStatusPlaying | kStatusLooping);
  EXPECT_OK(shot->Play(0));
  EXPECT_EQ(Status(shot), kStatusPlaying);
  EXPECT_GT(Render(441).peak, 0);
}

}  // namespace
}  // namespace sound_test
