#include "platform/joystick/joystick_device.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/os/backend.h"
#include "support/succeeds.h"

namespace pj = platform::joystick;
using platform::kOk;

namespace {

// A joystick resting at full right, always present.
class FakeSource : public pj::JoystickSource {
 public:
  std::string Name() const override { return "fake"; }
  pj::AxisRange NativeRange() const override { return {-1000, 1000}; }
  bool Update() override { return true; }
  bool Read(pj::RawReading& out) override {
    out.x = 1000;
    out.y = 1000;
    return true;
  }
  bool Reconnect() override { return true; }
};

class Device : public ::testing::Test {
 protected:
  platform::Ref<pj::JoystickDevice> device = platform::MakeRef<pj::JoystickDevice>(std::make_unique<FakeSource>());
  platform::os::Window window;
  pj::JoystickState state;
};

}  // namespace

TEST_F(Device, ReadsOnlyWhileAcquiredAndAFailedReadLeavesTheStateAlone) {
  state.x = 7;
  EXPECT_EQ(device->Poll(), pj::kNotAcquired);
  EXPECT_EQ(device->GetState(&state), pj::kNotAcquired);
  EXPECT_EQ(state.x, 7);
  EXPECT_EQ(device->Acquire(), kOk);
  EXPECT_EQ(device->Acquire(), pj::kNoEffect);
  EXPECT_EQ(device->GetState(nullptr), pj::kInvalidParam);
  EXPECT_EQ(device->GetState(&state), kOk);
  EXPECT_EQ(state.x, 65535) << "an axis reads 0..65535 until its range is set";
  EXPECT_EQ(device->Unacquire(), kOk);
  EXPECT_EQ(device->Unacquire(), pj::kNoEffect);
  EXPECT_EQ(device->GetState(&state), pj::kNotAcquired);
}

TEST_F(Device, AxisRangesArePerAxisAndMustNotBeEmpty) {
  EXPECT_EQ(device->SetAxisRange(pj::Axis::kX, 0, 0), pj::kInvalidParam);
  EXPECT_EQ(device->SetAxisRange(pj::Axis::kX, 5, -5), pj::kInvalidParam);
  ASSERT_EQ(device->SetAxisRange(pj::Axis::kX, -1000, 1000), kOk);
  EXPECT_OK(device->Acquire());
  ASSERT_EQ(device->GetState(&state), kOk);
  EXPECT_EQ(std::tuple(state.x, state.y), std::tuple(1000, 65535));
}

TEST_F(Device, ForegroundDeviceStopsInTheBackgroundAndWaitsToBeTakenUpAgain) {
  using namespace pj::cooperation;
  ASSERT_EQ(device->SetCooperativeLevel(&window, kNonExclusive | kForeground), kOk);
  EXPECT_OK(device->Acquire());
  device->SetAppActive(false);
  EXPECT_EQ(device->GetState(&state), pj::kNotAcquired);
  EXPECT_EQ(device->Acquire(), pj::kOtherAppHasPriority);
  device->SetAppActive(true);
  EXPECT_FALSE(device->Acquired());
  EXPECT_EQ(device->Acquire(), kOk);
}
