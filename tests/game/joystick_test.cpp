#include "input/joystick.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "game/game_step.h"
#include "platform/joystick/virtual_joystick.h"
#include "support/fresh_state.h"

namespace os = platform::os;
namespace pj = platform::joystick;
using game::gameState;

namespace {

class Joystick : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(test_support::FreshWindow()); }
  void TearDown() override { input::ReleaseJoystick(); }

  // Plays `script` (a headless run's input) and opens the joystick as
  // start-up does; an empty script plays no joystick.
  int Start(const std::string& script, std::array<int, 4> assign = {-1, -1, -1, -1}) {
    std::vector<os::ScriptEvent> events;
    EXPECT_TRUE(os::ParseInputScript(script, events, nullptr));
    os::SetInputScript(std::move(events));
    gameState.buttonAssign = {0, assign[0], assign[1], assign[2], assign[3], -1, -1, -1, -1};
    return gameState.joystickAvailable = input::InitJoystick(kind_);
  }
  // One main-loop turn with the game step; returns what the step saw:
  // directions, then the slots whose buttons are down.
  std::string Turn() {
    test_support::Drain();
    EXPECT_TRUE(game::GameStep());
    os::EndTurn();
    std::string s;
    if (gameState.joyUp) s += 'U';
    if (gameState.joyDown) s += 'D';
    if (gameState.joyLeft) s += 'L';
    if (gameState.joyRight) s += 'R';
    for (int slot = 1; slot <= 8; ++slot)
      if (gameState.buttonDown[slot]) s += std::to_string(slot);
    return s;
  }

  pj::DeviceKind kind_ = pj::DeviceKind::kScripted;  // a headless run's
};

}  // namespace

TEST_F(Joystick, WithoutOneNothingIsReadAndTheFieldsStayZero) {
  EXPECT_EQ(Start("", {0, 1, 2, 3}), 0);
  EXPECT_EQ(Turn(), "");
  platform::joystick::JoystickState raw;
  EXPECT_FALSE(input::ReadJoystickState(&raw));
  input::OnAppActivate(true);  // harmless without a device

  ASSERT_EQ(Start("0 JOY_X -1000\n0 JOY_BUTTON 0 down\n", {0, 1, 2, 3}), 1);
  gameState.joystickAvailable = false;
  EXPECT_EQ(Turn(), "") << "a joystick that start-up did not take is not polled";
}

TEST_F(Joystick, DirectionsNeedMoreThanAHundredAndOutOfRangeReadingsClamp) {
  ASSERT_EQ(Start("0 JOY_X 100\n0 JOY_Y -100\n1 JOY_X 101\n1 JOY_Y -101\n"
                  "2 JOY_X -100\n2 JOY_Y 100\n3 JOY_X -101\n3 JOY_Y 101\n"
                  "4 JOY_X 40000\n4 JOY_Y -40000\n"),
            1);
  for (const char* want : {"", "UR", "", "DL", "UR"}) EXPECT_EQ(Turn(), want);
  platform::joystick::JoystickState raw;
  ASSERT_TRUE(input::ReadJoystickState(&raw));
  EXPECT_EQ(std::tuple(raw.x, raw.y), std::tuple(1000, -1000));
}

TEST_F(Joystick, SlotsFollowTheirButtonsDuplicatesIncluded) {
  ASSERT_EQ(Start("0 JOY_BUTTON 0 down\n0 JOY_BUTTON 7 down\n0 JOY_BUTTON 31 down\n"
                  "1 JOY_BUTTON 7 up\n",
                  {7, 31, 31, -1}),
            1);
  EXPECT_EQ(Turn(), "123") << "no slot holds button 0; two slots share 31";
  EXPECT_EQ(Turn(), "23");
  platform::joystick::JoystickState raw;
  ASSERT_TRUE(input::ReadJoystickState(&raw));
  for (int b = 0; b < 32; ++b) EXPECT_EQ(raw.buttons[b], (b == 0 || b == 31) ? 0x80 : 0) << b;
}

TEST_F(Joystick, UnpluggingLetsGoOfEverythingAndPluggingBackResumes) {
  const std::string script = "0 JOY_Y 900\n0 JOY_BUTTON 9 down\n";
  ASSERT_EQ(Start(script, {-1, 9, -1, -1}), 1);
  EXPECT_EQ(Turn(), "D2");
  os::SetInputScript({});  // the joystick goes away
  EXPECT_EQ(Turn(), "");
  EXPECT_EQ(gameState.joystickAvailable, 0);
  input::OnAppActivate(true);  // nothing to take up
  EXPECT_EQ(Turn(), "");
  std::vector<os::ScriptEvent> events;
  ASSERT_TRUE(os::ParseInputScript(script, events, nullptr));
  os::SetInputScript(std::move(events));  // plugged in again
  EXPECT_EQ(Turn(), "D2");
  EXPECT_EQ(gameState.joystickAvailable, 1);
}

namespace {

// Pads on SDL's live path, plugged in and out through its virtual joystick.
class LivePad : public Joystick {
 protected:
  void SetUp() override {
    Joystick::SetUp();
    if (pj::AttachedJoystickCount() != 0) GTEST_SKIP() << "a joystick is plugged in";
    kind_ = pj::DeviceKind::kLive;
  }
  std::array<int, 4> Slots() const {
    const auto& a = gameState.buttonAssign;
    return {a[1], a[2], a[3], a[4]};
  }
};

}  // namespace

// From plug-in to unplug: a pad that comes during play drives at once with
// the default buttons, lets go of all it held when pulled, and works again
// when it comes back; the untouched defaults are not kept for the file.
TEST_F(LivePad, APadPluggedInDuringPlayDrivesAtOnceAndLetsGoWhenPulled) {
  EXPECT_EQ(Start(""), 0);
  EXPECT_EQ(Turn(), "");
  auto pad = pj::VirtualJoystick::AttachController();
  ASSERT_TRUE(pad);
  pad->SetAxis(1, 32767);
  pad->SetButton(1, true);  // B: drive
  EXPECT_EQ(Turn(), "D2");
  EXPECT_EQ(Slots(), (std::array<int, 4>{0, 1, 2, 3}));
  pad->Unplug();
  EXPECT_EQ(Turn(), "");
  EXPECT_EQ(gameState.joystickAvailable, 0);

  pad = pj::VirtualJoystick::AttachController();
  pad->SetButton(0, true);   // A: Enter
  pad->SetButton(13, true);  // D-pad left
  EXPECT_EQ(Turn(), "L1");
  input::ReleaseJoystick();
  EXPECT_EQ(Slots(), (std::array<int, 4>{-1, -1, -1, -1}));
}

TEST_F(LivePad, DefaultsOnlyForAKnownPadMeetingFourEmptySlotsAndKeptOnceChanged) {
  auto raw = pj::VirtualJoystick::Attach(2, 8);
  ASSERT_EQ(Start(""), 1);
  EXPECT_EQ(Slots(), (std::array<int, 4>{-1, -1, -1, -1})) << "raw buttons mean nothing known";
  input::ReleaseJoystick();
  raw.reset();

  auto pad = pj::VirtualJoystick::AttachController();
  ASSERT_EQ(Start("", {-1, 5, -1, -1}), 1);
  EXPECT_EQ(Slots(), (std::array<int, 4>{-1, 5, -1, -1})) << "the player's own choice stays whole";
  input::ReleaseJoystick();

  ASSERT_EQ(Start(""), 1);
  gameState.buttonAssign[2] = 9;  // as the button screen assigns
  input::ClearDuplicateAssignments(2);
  input::ReleaseJoystick();
  EXPECT_EQ(Slots(), (std::array<int, 4>{0, 9, 2, 3}));
}
