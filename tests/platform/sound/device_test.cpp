#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/sound/sound_buffer.h"
#include "platform/sound/sound_device.h"

namespace platform::sound {
namespace {

// OpenAL reads its configuration once, at its first use: the null driver
// must be chosen before that, unless the caller chose a driver already.
const bool kNullDriver = setenv("ALSOFT_DRIVERS", "null", 0) == 0;

TEST(SoundDevice, TheLoopbackDeviceMixesSilenceUntilSomethingPlays) {
  Ref<Device> device;
  ASSERT_EQ(Device::Create(&device, DeviceKind::kLoopback), kOk);
  ASSERT_TRUE(device);
  EXPECT_TRUE(device->IsLoopback());
  EXPECT_EQ(device->SampleRate(), Device::kLoopbackRate);
  std::vector<std::int16_t> samples = device->RenderSamples(256);
  ASSERT_EQ(samples.size(), 512u);
  for (std::int16_t s : samples) ASSERT_EQ(s, 0);
}

TEST(SoundDevice, TheNullDriverIsADeviceLikeAnyOther) {
  if (!kNullDriver || std::string(std::getenv("ALSOFT_DRIVERS")) != "null")
    GTEST_SKIP() << "another OpenAL driver was chosen";
  Ref<Device> device;
  ASSERT_EQ(Device::Create(&device, DeviceKind::kLive), kOk);
  EXPECT_FALSE(device->IsLoopback());
  EXPECT_GT(device->SampleRate(), 0);
  std::int16_t frame[2];
  EXPECT_FALSE(device->RenderSamples(frame, 1)) << "only the loopback device mixes on demand";
}

}  // namespace
}  // namespace platform::sound
