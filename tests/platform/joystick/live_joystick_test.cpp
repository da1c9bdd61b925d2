// The live path through SDL, driven by a software joystick. It needs no
// display; it skips when real joysticks are plugged in, since Create would
// rightly take one of those first.
#include <gtest/gtest.h>

#include "platform/joystick/joystick_device.h"
#include "platform/joystick/virtual_joystick.h"

namespace pj = platform::joystick;
using platform::Ref;

namespace {

class LiveJoystick : public ::testing::Test {
 protected:
  void SetUp() override {
    if (pj::AttachedJoystickCount() != 0) GTEST_SKIP() << "a joystick is plugged in";
  }
  Ref<pj::JoystickDevice> Open() {
    Ref<pj::JoystickDevice> device;
    EXPECT_EQ(pj::JoystickDevice::Create(&device, pj::DeviceKind::kLive), platform::kOk);
    if (!device) return device;
    device->SetAxisRange(pj::Axis::kX, -1000, 1000);
    device->SetAxisRange(pj::Axis::kY, -1000, 1000);
    EXPECT_EQ(device->Acquire(), platform::kOk);
    return device;
  }
  static pj::JoystickState Read(pj::JoystickDevice& device) {
    pj::JoystickState s;
    EXPECT_EQ(device.Poll(), platform::kOk);
    EXPECT_EQ(device.GetState(&s), platform::kOk);
    return s;
  }
};

}  // namespace

TEST_F(LiveJoystick, NoneAttachedMeansNoDevice) {
  Ref<pj::JoystickDevice> device;
  EXPECT_EQ(pj::JoystickDevice::Create(&device, pj::DeviceKind::kLive), pj::kDeviceNotRegistered);
  EXPECT_FALSE(device);
}

TEST_F(LiveJoystick, ReadsStickAndButtonsScaled) {
  std::string why;
  auto stick = pj::VirtualJoystick::Attach(2, 32, &why);
  ASSERT_TRUE(stick) << why;
  Ref<pj::JoystickDevice> device = Open();
  ASSERT_TRUE(device);
  stick->SetAxis(0, -32768);
  stick->SetAxis(1, 32767);
  stick->SetButton(31, true);
  pj::JoystickState s = Read(*device);
  EXPECT_EQ(s.x, -1000);
  EXPECT_EQ(s.y, 1000);
  EXPECT_EQ(s.buttons[31], 0x80);
  EXPECT_EQ(s.buttons[0], 0x00);
  stick->SetButton(31, false);
  stick->SetAxis(0, 0);
  s = Read(*device);
  EXPECT_EQ(s.x, 0);
  EXPECT_EQ(s.buttons[31], 0x00);
}

TEST_F(LiveJoystick, OneAxisAndThreeButtonsLeaveTheRestCentredAndReleased) {
  auto stick = pj::VirtualJoystick::Attach(1, 3);
  ASSERT_TRUE(stick);
  Ref<pj::JoystickDevice> device = Open();
  ASSERT_TRUE(device);
  stick->SetAxis(0, 32767);
  stick->SetButton(2, true);
  EXPECT_FALSE(stick->SetButton(5, true)) << "the device has no button 5";
  pj::JoystickState s = Read(*device);
  EXPECT_EQ(s.x, 1000);
  EXPECT_EQ(s.y, 0);
  EXPECT_EQ(s.buttons[2], 0x80);
  for (int b = 3; b < pj::kButtonCount; ++b) EXPECT_EQ(s.buttons[b], 0x00) << b;
}

TEST_F(LiveJoystick, UnplugFailsReadsAndPluggingInAgainLetsItBeTakenUp) {
  auto stick = pj::VirtualJoystick::Attach(2, 4);
  ASSERT_TRUE(stick);
  Ref<pj::JoystickDevice> device = Open();
  ASSERT_TRUE(device);
  stick->SetButton(1, true);
  Read(*device);
  stick->Unplug();
  pj::JoystickState s;
  EXPECT_EQ(device->Poll(), pj::kInputLost);
  EXPECT_EQ(device->GetState(&s), pj::kNotAcquired);
  EXPECT_EQ(device->Acquire(), pj::kInputLost);

  auto again = pj::VirtualJoystick::Attach(2, 4);
  ASSERT_TRUE(again);
  EXPECT_EQ(device->Acquire(), platform::kOk) << "the same model is found again";
  again->SetButton(3, true);
  s = Read(*device);
  EXPECT_EQ(s.buttons[3], 0x80);
  EXPECT_EQ(s.buttons[1], 0x00);
}
