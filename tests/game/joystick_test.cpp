#include "input/joystick.h"

#include <gtest/gtest.h>

#include <string>

#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "game/game_step.h"
#include "support/fresh_state.h"

namespace os = platform::os;
using game::gameState;

namespace {

class Joystick : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::FreshState();
    app::SelectDisplayMode(0);
    ASSERT_TRUE(app::CreateMainWindow(nullptr, 1));
  }
  void TearDown() override { input::ReleaseJoystick(); }

  // Plays `script` on a joystick opened the way start-up opens it.
  void Plug(const std::string& script) {
    std::vector<os::ScriptEvent> events;
    std::string error;
    ASSERT_TRUE(os::ParseInputScript(script, events, &error)) << error;
    os::SetInputScript(std::move(events));
    gameState.joystickAvailable = input::InitJoystick();
    ASSERT_EQ(gameState.joystickAvailable, 1);
  }
  // One turn: the scripted input of this turn arrives, then both polls run.
  void Turn() {
    test_support::Drain();
    input::PollJoystickButtons();
    input::PollJoystickAxes();
    os::EndTurn();
  }
  static std::string Directions() {
    std::string s;
    if (gameState.joyUp) s += 'U';
    if (gameState.joyDown) s += 'D';
    if (gameState.joyLeft) s += 'L';
    if (gameState.joyRight) s += 'R';
    return s;
  }
  static void Assign(int s1, int s2, int s3, int s4) {
    gameState.buttonAssign = {0, s1, s2, s3, s4, -1, -1, -1, -1};
  }
  static std::string Down() {
    std::string s;
    for (int slot = 1; slot <= 8; ++slot) s += gameState.buttonDown[slot] ? '1' : '0';
    return s;
  }
};

}  // namespace

TEST_F(Joystick, WithoutAJoystickNothingIsOpenedAndTheFieldsStayZero) {
  EXPECT_EQ(input::InitJoystick(), 0);
  Assign(0, 1, 2, 3);
  for (int i = 0; i < 3; ++i) Turn();
  EXPECT_EQ(Directions(), "");
  EXPECT_EQ(Down(), "00000000");
  platform::joystick::JoystickState raw;
  EXPECT_FALSE(input::ReadJoystickState(&raw));
  input::OnAppActivate(false);  // harmless without a device
  input::OnAppActivate(true);
}

TEST_F(Joystick, AnAttachedJoystickIsIgnoredWhileMarkedUnavailable) {
  Plug("0 JOY_X -1000\n0 JOY_BUTTON 0 down\n");
  gameState.joystickAvailable = 0;
  Assign(0, -1, -1, -1);
  Turn();
  EXPECT_EQ(Directions(), "");
  EXPECT_EQ(Down(), "00000000");
}

TEST_F(Joystick, DirectionsNeedMoreThanAHundredEitherWay) {
  Plug("0 JOY_X 100\n0 JOY_Y -100\n"
       "1 JOY_X 101\n1 JOY_Y -101\n"
       "2 JOY_X -100\n2 JOY_Y 100\n"
       "3 JOY_X -101\n3 JOY_Y 101\n"
       "4 JOY_X 0\n4 JOY_Y 0\n");
  const char* want[] = {"", "UR", "", "DL", ""};
  for (const char* w : want) {
    Turn();
    EXPECT_EQ(Directions(), w) << "turn " << os::CurrentTurn() - 1;
  }
}

TEST_F(Joystick, ReadingsBeyondTheRangeCountAsFullDeflection) {
  Plug("0 JOY_X 40000\n0 JOY_Y -40000\n");
  Turn();
  EXPECT_EQ(Directions(), "UR");
  platform::joystick::JoystickState raw;
  ASSERT_TRUE(input::ReadJoystickState(&raw));
  EXPECT_EQ(raw.x, 1000);
  EXPECT_EQ(raw.y, -1000);
}

TEST_F(Joystick, SlotsFollowTheirButtonsAndUnassignedSlotsNeverReport) {
  Plug("0 JOY_BUTTON 0 down\n0 JOY_BUTTON 7 down\n0 JOY_BUTTON 31 down\n"
       "1 JOY_BUTTON 7 up\n");
  Assign(7, -1, 31, 4);
  Turn();
  EXPECT_EQ(Down(), "10100000") << "buttons 0 and 7 held, no slot on button 0";
  Turn();
  EXPECT_EQ(Down(), "00100000");
}

TEST_F(Joystick, DuplicatesFromTheConfigurationFileBothReport) {
  Plug("0 JOY_BUTTON 3 down\n");
  Assign(3, 3, 5, 5);
  Turn();
  EXPECT_EQ(Down(), "11000000");
}

TEST_F(Joystick, AssigningClearsOnlyThatButtonsOtherSlots) {
  Assign(3, 3, 5, 5);
  gameState.buttonAssign[2] = 5;
  input::ClearDuplicateAssignments(2);
  EXPECT_EQ(gameState.buttonAssign[1], 3) << "a duplicate of another button stays";
  EXPECT_EQ(gameState.buttonAssign[2], 5);
  EXPECT_EQ(gameState.buttonAssign[3], -1);
  EXPECT_EQ(gameState.buttonAssign[4], -1);
}

TEST_F(Joystick, RawStateShowsEveryHeldButton) {
  Plug("0 JOY_BUTTON 2 down\n0 JOY_BUTTON 5 down\n");
  test_support::Drain();
  platform::joystick::JoystickState raw;
  ASSERT_TRUE(input::ReadJoystickState(&raw));
  for (int b = 0; b < 32; ++b) EXPECT_EQ(raw.buttons[b], (b == 2 || b == 5) ? 0x80 : 0) << b;
}

TEST_F(Joystick, ReadsFailInTheBackgroundAndResumeWhenTheProgramComesBack) {
  Plug("0 JOY_X 500\n0 JOY_BUTTON 1 down\n"
       "2 JOY_X -500\n2 JOY_BUTTON 1 up\n");
  Assign(1, -1, -1, -1);
  Turn();
  ASSERT_EQ(Directions(), "R");
  input::OnAppActivate(false);
  Turn();
  Turn();
  EXPECT_EQ(Directions(), "R") << "the last values stay while reads fail";
  EXPECT_EQ(Down(), "10000000");
  input::OnAppActivate(true);
  Turn();
  EXPECT_EQ(Directions(), "L");
  EXPECT_EQ(Down(), "00000000");
}

TEST_F(Joystick, UnpluggingKeepsTheLastValues) {
  Plug("0 JOY_Y 900\n0 JOY_BUTTON 9 down\n");
  Assign(-1, 9, -1, -1);
  Turn();
  os::SetInputScript({});  // the joystick goes away
  Turn();
  EXPECT_EQ(Directions(), "D");
  EXPECT_EQ(Down(), "01000000");
  input::ReleaseJoystick();
  input::ReleaseJoystick();  // twice is harmless
  Turn();
  EXPECT_EQ(Directions(), "D");
}

TEST_F(Joystick, GameStepsSeeTheScriptedStick) {
  Plug("1 JOY_X -300\n1 JOY_BUTTON 6 down\n3 JOY_X 0\n3 JOY_BUTTON 6 up\n");
  Assign(-1, -1, -1, 6);
  std::string seen;
  for (int turn = 0; turn < 5; ++turn) {
    test_support::Drain();
    ASSERT_TRUE(game::GameStep());
    seen += Directions() + (gameState.buttonDown[4] ? "4" : "") + ",";
    os::EndTurn();
  }
  EXPECT_EQ(seen, ",L4,L4,,,");
}
