// The live path through SDL, driven by a software joystick; it needs no
// display. Skipped when a real joystick is plugged in, since Create would
// rightly take that one first.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "platform/joystick/controller_mappings.h"
#include "platform/joystick/joystick_device.h"
#include "platform/joystick/virtual_joystick.h"
#include "support/scratch.h"
#include "support/succeeds.h"

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
    EXPECT_OK(device->SetAxisRange(pj::Axis::kX, -1000, 1000));
    EXPECT_OK(device->SetAxisRange(pj::Axis::kY, -1000, 1000));
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

// One pass over a mapped pad: its buttons in the standard numbering with the
// D-pad left out, the triggers as buttons, and the D-pad driving the axes
// only while the stick rests.
TEST_F(LiveJoystick, AMappedPadReadsInTheStandardLayoutAndItsDpadDrives) {
  auto pad = pj::VirtualJoystick::AttachController();
  ASSERT_TRUE(pad);
  Open();
  EXPECT_TRUE(device->StandardLayout());
  pad->SetButton(1, true);   // B
  pad->SetButton(10, true);  // right shoulder
  pad->SetButton(11, true);  // D-pad up
  pad->SetAxis(5, 32767);    // right trigger
  Read();
  std::string held;
  for (int b = 0; b < pj::kButtonCount; ++b)
    if (state.buttons[b]) held += std::to_string(b) + " ";
  EXPECT_EQ(held, "1 10 12 ");
  EXPECT_EQ(std::tuple(state.x, state.y), std::tuple(0, -1000));

  pad->SetButton(14, true);  // D-pad right, while the stick leans left
  pad->SetAxis(0, -20000);
  pad->SetAxis(1, 8000);  // within the rest zone: the D-pad's up wins
  Read();
  EXPECT_EQ(std::tuple(state.x, state.y), std::tuple(-610, -1000));
}

TEST_F(LiveJoystick, AnUnmappedJoystickReadsRawAndItsHatDrives) {
  auto stick = pj::VirtualJoystick::Attach(2, 4, nullptr, 1);
  ASSERT_TRUE(stick);
  Open();
  EXPECT_FALSE(device->StandardLayout());
  stick->SetHat(0, 1, 1);
  stick->SetButton(3, true);
  Read();
  EXPECT_EQ(std::tuple(state.x, state.y, state.buttons[3]), std::tuple(1000, 1000, 0x80));
}

// The player's mapping file: good lines are taken, another platform's are
// passed over, and bad ones are counted with the first named; a file that
// cannot be read is said to be so. Either way a pad still opens.
TEST_F(LiveJoystick, AMappingFileMapsPadsAndSaysWhatItCouldNotTake) {
  auto stick = pj::VirtualJoystick::Attach(2, 4);
  ASSERT_TRUE(stick);
  std::string why;
  ASSERT_TRUE(pj::StartSdlPads(&why)) << why;
  const std::string path = test_support::ScratchPath(pj::kMappingFileName).string();
  std::ofstream(path) << "# mine\r\n\n"
                      << stick->Guid() << ",My Pad,a:b0,b:b1,x:b2,y:b3,leftx:a0,lefty:a1,platform:Linux,\r\n"
                      << stick->Guid() << ",Not here,a:b3,platform:Windows,\n"
                      << "not a mapping\n"
                      << "03000000ffff,\n";
  const std::string wrong = pj::AddControllerMappingFile(path);
  EXPECT_EQ(wrong.rfind("2 lines are not a controller mapping and skipped (first: line 5: ", 0), 0u) << wrong;
  Open();
  EXPECT_EQ(std::tuple(device->StandardLayout(), device->Name()), std::tuple(true, "My Pad"));

  const std::string folder = test_support::ScratchFolder("mappings-folder").string();
  EXPECT_EQ(pj::AddControllerMappingFile(folder),
            "not read (is a folder, not a file); pads it would map read as plain joysticks");
  EXPECT_EQ(pj::AddControllerMappingFile(folder + "/none"), "");
  pj::StopSdlPads();
  std::filesystem::remove(path);
}
