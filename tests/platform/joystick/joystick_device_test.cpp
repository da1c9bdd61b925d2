#include "platform/joystick/joystick_device.h"

#include <gtest/gtest.h>

#include "platform/os/backend.h"
#include "platform/os/turns.h"
#include "platform/os/window.h"

namespace pj = platform::joystick;
namespace os = platform::os;
using platform::Ref;

namespace {

// A joystick whose readings and presence the test sets.
struct FakeReadings {
  bool attached = true;
  bool comesBack = false;
  pj::RawReading reading;
  pj::AxisRange native{-32768, 32767};
};

class FakeSource : public pj::JoystickSource {
 public:
  explicit FakeSource(FakeReadings& r) : r_(r) {}
  std::string Name() const override { return "fake"; }
  pj::AxisRange NativeRange() const override { return r_.native; }
  bool Update() override { return r_.attached; }
  bool Read(pj::RawReading& out) override {
    if (!r_.attached) return false;
    out = r_.reading;
    return true;
  }
  bool Reconnect() override { return r_.attached = r_.comesBack; }

 private:
  FakeReadings& r_;
};

class Device : public ::testing::Test {
 protected:
  void SetUp() override {
    device = platform::MakeRef<pj::JoystickDevice>(std::make_unique<FakeSource>(fake));
    ASSERT_EQ(device->SetAxisRange(pj::Axis::kX, -1000, 1000), platform::kOk);
    ASSERT_EQ(device->SetAxisRange(pj::Axis::kY, -1000, 1000), platform::kOk);
  }
  pj::JoystickState Read() {
    pj::JoystickState s;
    EXPECT_EQ(device->Poll(), platform::kOk);
    EXPECT_EQ(device->GetState(&s), platform::kOk);
    return s;
  }
  FakeReadings fake;
  Ref<pj::JoystickDevice> device;
  os::Window window;
};

}  // namespace

TEST_F(Device, ReadsOnlyWhileAcquired) {
  pj::JoystickState s;
  s.x = 7;
  EXPECT_EQ(device->Poll(), pj::kNotAcquired);
  EXPECT_EQ(device->GetState(&s), pj::kNotAcquired);
  EXPECT_EQ(s.x, 7) << "a failed read leaves the state alone";
  EXPECT_EQ(device->Acquire(), platform::kOk);
  EXPECT_EQ(device->Acquire(), pj::kNoEffect);
  EXPECT_EQ(device->GetState(nullptr), pj::kInvalidParam);
  Read();
  EXPECT_EQ(device->Unacquire(), platform::kOk);
  EXPECT_EQ(device->Unacquire(), pj::kNoEffect);
  EXPECT_EQ(device->GetState(&s), pj::kNotAcquired);
}

TEST_F(Device, ScalesSdlUnitsToTheRangeAndClamps) {
  device->Acquire();
  std::pair<int, int> cases[] = {{-32768, -1000}, {32767, 1000}, {0, 0}, {-1, 0},
                                 {16384, 500},    {3276, 100},   {3310, 101}};
  for (auto [raw, want] : cases) {
    fake.reading.x = raw;
    fake.reading.y = -raw - 1;
    pj::JoystickState s = Read();
    EXPECT_EQ(s.x, want) << raw;
    EXPECT_EQ(s.y, -want) << raw;
  }
  fake.reading.x = 90000;  // beyond what the source claims
  fake.reading.y = -90000;
  pj::JoystickState s = Read();
  EXPECT_EQ(s.x, 1000);
  EXPECT_EQ(s.y, -1000);
}

TEST_F(Device, AxisRangeIsPerAxisAndRefusesEmptyRanges) {
  EXPECT_EQ(device->SetAxisRange(pj::Axis::kY, 0, 0), pj::kInvalidParam);
  EXPECT_EQ(device->SetAxisRange(pj::Axis::kY, 5, -5), pj::kInvalidParam);
  ASSERT_EQ(device->SetAxisRange(pj::Axis::kY, 0, 65535), platform::kOk);
  device->Acquire();
  fake.reading.x = 32767;
  fake.reading.y = 32767;
  pj::JoystickState s = Read();
  EXPECT_EQ(s.x, 1000);
  EXPECT_EQ(s.y, 65535);
}

TEST_F(Device, MissingAxesRestCentredAndButtonsMapToHeldBits) {
  device->Acquire();
  fake.reading.x.reset();
  fake.reading.y.reset();
  fake.reading.buttons[0] = true;
  fake.reading.buttons[31] = true;
  pj::JoystickState s = Read();
  EXPECT_EQ(s.x, 0);
  EXPECT_EQ(s.y, 0);
  EXPECT_EQ(s.buttons[0], 0x80);
  EXPECT_EQ(s.buttons[31], 0x80);
  EXPECT_EQ(s.buttons[1], 0x00);
}

TEST_F(Device, UnpluggedReadsFailUntilTheJoystickComesBack) {
  device->Acquire();
  fake.reading.x = 32767;
  Read();
  fake.attached = false;
  pj::JoystickState s;
  EXPECT_EQ(device->Poll(), pj::kInputLost);
  EXPECT_FALSE(device->Acquired());
  EXPECT_EQ(device->GetState(&s), pj::kNotAcquired);
  EXPECT_EQ(device->Acquire(), pj::kInputLost) << "nothing to take up";
  fake.comesBack = true;
  EXPECT_EQ(device->Acquire(), platform::kOk);
  EXPECT_EQ(Read().x, 1000);
}

TEST_F(Device, CooperationFlagsAreChecked) {
  using namespace pj::cooperation;
  EXPECT_EQ(device->SetCooperativeLevel(&window, kExclusive | kNonExclusive | kForeground), pj::kInvalidParam);
  EXPECT_EQ(device->SetCooperativeLevel(&window, kNonExclusive), pj::kInvalidParam);
  EXPECT_EQ(device->SetCooperativeLevel(&window, kNonExclusive | kForeground | 0x100), pj::kInvalidParam);
  EXPECT_EQ(device->SetCooperativeLevel(nullptr, kNonExclusive | kForeground), pj::kInvalidParam);
  EXPECT_EQ(device->SetCooperativeLevel(nullptr, kNonExclusive | kBackground), platform::kOk);
  device->Acquire();
  EXPECT_EQ(device->SetCooperativeLevel(&window, kNonExclusive | kForeground), pj::kAcquired);
}

TEST_F(Device, ForegroundDeviceStopsInTheBackgroundAndWaitsToBeTakenUpAgain) {
  using namespace pj::cooperation;
  ASSERT_EQ(device->SetCooperativeLevel(&window, kNonExclusive | kForeground), platform::kOk);
  device->Acquire();
  device->SetAppActive(false);
  pj::JoystickState s;
  EXPECT_EQ(device->GetState(&s), pj::kNotAcquired);
  EXPECT_EQ(device->Acquire(), pj::kOtherAppHasPriority);
  device->SetAppActive(true);
  EXPECT_FALSE(device->Acquired());
  EXPECT_EQ(device->Acquire(), platform::kOk);
}

TEST_F(Device, BackgroundDeviceKeepsReadingInTheBackground) {
  using namespace pj::cooperation;
  ASSERT_EQ(device->SetCooperativeLevel(nullptr, kNonExclusive | kBackground), platform::kOk);
  device->Acquire();
  device->SetAppActive(false);
  Read();
}

TEST(ScriptedDevice, ExistsOnlyWhenTheScriptPlaysAJoystickAndClampsItsValues) {
  os::StartBackend({true, 60.0});
  os::ResetTurns();
  Ref<pj::JoystickDevice> device;
  EXPECT_EQ(pj::JoystickDevice::Create(&device), pj::kDeviceNotRegistered);
  EXPECT_EQ(pj::JoystickDevice::Create(nullptr), pj::kInvalidParam);

  using K = os::ScriptEvent::Kind;
  os::SetInputScript({{0, K::JoystickX, 0, 5000}, {0, K::JoystickY, 0, -1001}, {0, K::JoystickButton, 4, 1}});
  ASSERT_EQ(pj::JoystickDevice::Create(&device), platform::kOk);
  device->SetAxisRange(pj::Axis::kX, -1000, 1000);
  device->SetAxisRange(pj::Axis::kY, -1000, 1000);
  ASSERT_EQ(device->Acquire(), platform::kOk);
  os::ApplyScriptedInput();
  pj::JoystickState s;
  ASSERT_EQ(device->Poll(), platform::kOk);
  ASSERT_EQ(device->GetState(&s), platform::kOk);
  EXPECT_EQ(s.x, 1000);
  EXPECT_EQ(s.y, -1000);
  EXPECT_EQ(s.buttons[4], 0x80);

  os::ResetTurns();  // the script, and with it the joystick, goes away
  EXPECT_EQ(device->Poll(), pj::kInputLost);
  EXPECT_EQ(device->GetState(&s), pj::kNotAcquired);
}
