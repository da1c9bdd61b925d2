#include "input/joystick.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "game/game_step.h"
#include "support/fresh_state.h"

namespace os = platform::os;
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
    return gameState.joystickAvailable = input::InitJoystick();
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
};

}  // namespace

TEST_F(Joystick, WithoutOneNothingIsReadAndTheFieldsStayZero) {
  EXPECT_EQ(Start("", {0, 1, 2, 3}), 0);
  EXPECT_EQ(Turn(), "");
  platform::joystick::JoystickState raw;
  EXPECT_FALSE(input::ReadJoystickState(&raw));
  input::OnAppActivate(true);  // harmless without a device

  ASSERT_EQ(Start("0 JOY_X -1000\n0 JOY_BUTTON 0 down\n", {0, 1, 2, 3}), 1);
  gameState.joystickAvailable = 0;
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

TEST_F(Joystick, UnpluggingKeepsTheLastValues) {
  ASSERT_EQ(Start("0 JOY_Y 900\n0 JOY_BUTTON 9 down\n", {-1, 9, -1, -1}), 1);
  EXPECT_EQ(Turn(), "D2");
  os::SetInputScript({});  // the joystick goes away
  EXPECT_EQ(Turn(), "D2");
  input::OnAppActivate(true);  // nothing to take up
  EXPECT_EQ(Turn(), "D2");
}
