// The one start-up choice reaches every service: what a service's kAuto
// opens follows it, and a stop goes back to headless.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "platform/backends/backends.h"
#include "platform/joystick/joystick_device.h"
#include "platform/joystick/virtual_joystick.h"
#include "platform/os/turns.h"
#include "platform/sound/sound_device.h"

namespace platform {
namespace {

// OpenAL and SDL read their drivers once: no sound card and no display needed.
const bool kNullSound =
    setenv("ALSOFT_DRIVERS", "null", 0) == 0 && std::string(std::getenv("ALSOFT_DRIVERS")) == "null";
const bool kDummyVideo = setenv("SDL_VIDEODRIVER", "dummy", 0) == 0;

TEST(Backends, OneChoiceAtStartUpReachesEveryService) {
  os::ResetTurns();
  os::AttachScriptedJoystick();  // what a headless run's input script plays
  Ref<sound::Device> sound;
  Ref<joystick::JoystickDevice> stick;

  ASSERT_TRUE(StartBackends({.headless = true}));
  EXPECT_TRUE(os::IsHeadless());
  EXPECT_EQ(sound::Device::Create(&sound), sound::kNoDriver);
  EXPECT_EQ(joystick::JoystickDevice::Create(&stick), kOk) << "headless: the script's joystick";
  stick = nullptr;

  std::string why;
  if (!kDummyVideo || !StartBackends({.headless = false}, &why)) GTEST_SKIP() << "no live backend: " << why;
  EXPECT_FALSE(os::IsHeadless());
  if (kNullSound) {
    EXPECT_EQ(sound::Device::Create(&sound), kOk) << "live: OpenAL's default device";
    sound = nullptr;
  }
  if (joystick::AttachedJoystickCount() == 0) {
    EXPECT_EQ(joystick::JoystickDevice::Create(&stick), joystick::kDeviceNotRegistered)
        << "live: SDL's joysticks, of which there are none; the script's is not looked at";
  }

  StopBackends();
  EXPECT_EQ(sound::Device::Create(&sound), sound::kNoDriver) << "stopped: headless again";
  EXPECT_EQ(joystick::JoystickDevice::Create(&stick), kOk);
  os::ResetTurns();
}

}  // namespace
}  // namespace platform
