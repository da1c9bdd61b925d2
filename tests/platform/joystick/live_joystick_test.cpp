// The live path through SDL, driven by a software joystick; it needs no
// display. Skipped when a real joystick is plugged in, since Create would
// rightly take that one first.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/joystick/joystick_device.h"
#include "platform/joystick/virtual_joystick.h"

namespace pj = platform::joystick;
using platform::kOk;

namespace {

class LiveJoystick : public ::testing::Test {
 protected:
  void SetUp() override {
    if (pj::AttachedJoystickCount() != 0) GTEST_SKIP() << "a joystick is plugged in";
  }
  void Open() {
    ASSERT_EQ(pj::JoystickDevice::Create(&device, pj::DeviceKind::kLive), kOk);
    device->SetAxisRange(pj::Axis::kX, -1000, 1000);
    device->SetAxisRange(pj::Axis::kY, -1000, 1000);
    ASSERT_EQ(device->Acquire(), kOk);
  }
  void Read() {
    ASSERT_EQ(device->Poll(), kOk);
    ASSERT_EQ(device->GetState(&state), kOk);
  }
  platform::Ref<pj::JoystickDevice> device;
  pj::JoystickState state;
};

}  // namespace

TEST_F(LiveJoystick, ScalesTheStickToTheRangeAndReportsHeldButtons) {
  EXPECT_EQ(pj::JoystickDevice::Create(&device, pj::DeviceKind::kLive), pj::kDeviceNotRegistered);
  std::string why;
  auto stick = pj::VirtualJoystick::Attach(2, 32, &why);
  ASSERT_TRUE(stick) << why;
  Open();
  // SDL's units to -1000..1000: the ends meet the ends, rest stays 0, and
  // the dead-zone edge falls between raw 3276 and 3310.
  std::pair<int, int> cases[] = {{-32768, -1000}, {32767, 1000}, {0, 0}, {-1, 0}, {3276, 100}, {3310, 101}};
  for (auto [raw, want] : cases) {
    stick->SetAxis(0, raw);
    stick->SetAxis(1, -raw - 1);
    Read();
    EXPECT_EQ(std::tuple(state.x, state.y), std::tuple(want, -want)) << raw;
  }
  stick->SetButton(31, true);
  Read();
  EXPECT_EQ(std::tuple(state.buttons[31], state.buttons[0]), std::tuple(0x80, 0x00));
}

TEST_F(LiveJoystick, MissingAxesReadCentredAndMissingButtonsReleased) {
  auto stick = pj::VirtualJoystick::Attach(1, 3);
  ASSERT_TRUE(stick);
  Open();
  stick->SetAxis(0, 32767);
  stick->SetButton(2, true);
  Read();
  EXPECT_EQ(std::tuple(state.x, state.y, state.buttons[2]), std::tuple(1000, 0, 0x80));
  for (int b = 3; b < pj::kButtonCount; ++b) EXPECT_EQ(state.buttons[b], 0x00) << b;
}

TEST_F(LiveJoystick, UnpluggedReadsFailAndTheSameModelPluggedInAgainIsTakenUp) {
  auto stick = pj::VirtualJoystick::Attach(2, 4);
  ASSERT_TRUE(stick);
  Open();
  stick->SetButton(1, true);
  Read();
  stick->Unplug();
  EXPECT_EQ(device->Poll(), pj::kInputLost);
  EXPECT_EQ(device->GetState(&state), pj::kNotAcquired);
  EXPECT_EQ(device->Acquire(), pj::kInputLost);

  auto again = pj::VirtualJoystick::Attach(2, 4);
  ASSERT_TRUE(again);
  EXPECT_EQ(device->Acquire(), kOk);
  again->SetButton(3, true);
  Read();
  EXPECT_EQ(std::tuple(state.buttons[3], state.buttons[1]), std::tuple(0x80, 0x00));
}
