// The one start-up choice picks every service's side, and the headless sides
// cost nothing: no sound device, no SoundFont read, no synthesis.
#include "platform/backends/backends.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/joystick/virtual_joystick.h"
#include "platform/music/music_result.h"
#include "platform/os/turns.h"

namespace platform {
namespace {

// OpenAL and SDL read their drivers once: no sound card and no display needed.
const bool kNullSound =
    setenv("ALSOFT_DRIVERS", "null", 0) == 0 && std::string(std::getenv("ALSOFT_DRIVERS")) == "null";
const bool kDummyVideo = setenv("SDL_VIDEODRIVER", "dummy", 0) == 0;

// Inits a performance of `backends` with only a font that is not there.
HResult InitWithMissingFont(const Backends& backends, Ref<music::Performance>* performance, std::string* errors) {
  EXPECT_EQ(backends.Music().CreatePerformance(performance), kOk);
  music::Performance::Options options;
  options.soundFonts = {"/nonexistent/zarn-font.sf2"};
  testing::internal::CaptureStderr();
  const HResult result = (*performance)->Init(nullptr, options);
  *errors = testing::internal::GetCapturedStderr();
  return result;
}

TEST(Backends, HeadlessSidesOpenNothingAndLoadNothing) {
  os::ResetTurns();
  std::unique_ptr<Backends> backends = Backends::Start({.headless = true});
  ASSERT_TRUE(backends);
  EXPECT_TRUE(os::IsHeadless());
  EXPECT_EQ(backends->Joystick(), joystick::DeviceKind::kScripted);
  Ref<sound::Device> device;
  EXPECT_EQ(backends->Sound().OpenDevice(&device), sound::kNoDriver);
  EXPECT_FALSE(device);

  // The font is never looked for, so its absence is no failure and unsaid.
  Ref<music::Performance> music;
  std::string errors;
  ASSERT_EQ(InitWithMissingFont(*backends, &music, &errors), kOk);
  EXPECT_EQ(errors, "");
  EXPECT_EQ(music->AddPort(), kOk);
  EXPECT_FALSE(music->HasOutput());
  music::MidiFileInfo playable;
  playable.valid = true;
  auto segment = MakeRef<music::Segment>("empty", std::vector<std::uint8_t>{}, playable);
  Ref<music::SegmentState> state;
  ASSERT_EQ(music->PlaySegment(segment.get(), music::segf::kBeat, 0, &state), kOk);
  EXPECT_EQ(music->PlayingState(), state);
  std::vector<std::int16_t> samples(64, 1);
  music->Render(samples.data(), 32);
  EXPECT_EQ(samples, std::vector<std::int16_t>(64, 0));
  music::Notification notification;
  EXPECT_EQ(music->GetNotification(&notification), kFalse) << "no time passes for it: nothing ends";
  EXPECT_EQ(music->Stop(), kOk);
  EXPECT_FALSE(music->IsPlaying());

  backends.reset();
  os::ResetTurns();
}

TEST(Backends, LiveSidesOpenTheDeviceAndLookForTheFont) {
  std::string why;
  std::unique_ptr<Backends> backends = kDummyVideo ? Backends::Start({.headless = false}, &why) : nullptr;
  if (!backends) GTEST_SKIP() << "no live backend: " << why;
  EXPECT_FALSE(os::IsHeadless());
  EXPECT_EQ(backends->Joystick(), joystick::DeviceKind::kLive);
  if (kNullSound) {
    Ref<sound::Device> device;
    EXPECT_EQ(backends->Sound().OpenDevice(&device), kOk) << "OpenAL's default device";
  }
  Ref<music::Performance> music;
  std::string errors;
  EXPECT_EQ(InitWithMissingFont(*backends, &music, &errors), music::kMusicNoSoundFont);
  EXPECT_NE(errors.find("zarn-font.sf2"), std::string::npos) << errors;
  backends.reset();
  EXPECT_TRUE(os::IsHeadless()) << "the live machine stops with its object; what asks after it gets a headless one";
}

}  // namespace
}  // namespace platform
