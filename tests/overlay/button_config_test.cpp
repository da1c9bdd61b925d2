#include <vector>

#include "game/title_menu.h"
#include "input/joystick.h"
#include "overlay_screen.h"
#include "platform/os/turns.h"

namespace overlay_test {
namespace {

namespace os = platform::os;
using game::gameState;

class ButtonConfig : public OverlayScreen {
 protected:
  void SetUp() override {
    StartUp();
    gameState.titlePhase = game::TitlePhase::Menu;
    gameState.buttonConfigActive = true;
    gameState.configCursor = 1;
  }
  void TearDown() override {
    input::ReleaseJoystick();
    OverlayScreen::TearDown();
  }
  void Joystick(const std::string& script) {
    std::vector<os::ScriptEvent> events;
    ASSERT_TRUE(os::ParseInputScript(script, events, nullptr));
    os::SetInputScript(std::move(events));
    os::AttachScriptedJoystick();
    ASSERT_EQ(gameState.joystickAvailable = input::InitJoystick(platform::joystick::DeviceKind::kScripted), 1);
  }
  static void Step() {
    Turn([] { ClearBack(), game::TitleStep(); });
  }
  static std::vector<int> Assigned() {
    const auto& a = gameState.buttonAssign;
    return {a[1], a[2], a[3], a[4]};
  }
};

TEST_F(ButtonConfig, WithoutAJoystickOnlySpaceWorks) {
  Hold(os::vk::kDown);
  Step();
  ExpectTexts({{4, 275, 310, "JOY STICK CAN'T BE FOUND"}, {4, 325, 410, "[ PUSH SPACE ]"}});
  EXPECT_EQ(gameState.configCursor, 1);
  EXPECT_EQ(gameState.speedFactor, 0.0f) << "no speed keys while open";
  Hold(os::vk::kSpace);
  Step();
  EXPECT_EQ(gameState.buttonConfigActive, 0);
  EXPECT_EQ(gameState.titleIdleSteps, 799);
}

TEST_F(ButtonConfig, HeldDownMovesOneRowPerQuarterSecondAndStopsAtRowFour) {
  Joystick("");
  Hold(os::vk::kUp);
  Step();
  EXPECT_EQ(gameState.configKeyLatch, 0) << "row 1 takes no Up";
  Hold(os::vk::kUp, false);
  Hold(os::vk::kDown);
  std::vector<int> moves;
  for (int turn = 0; turn < 120; ++turn) {
    const int before = gameState.configCursor;
    Step();
    if (gameState.configCursor != before) moves.push_back(turn);
  }
  EXPECT_EQ(gameState.configCursor, 4);
  ASSERT_EQ(moves.size(), 3u);
  EXPECT_NEAR(moves[1] - moves[0], 15, 1) << "250 ms at 60 turns a second";
  EXPECT_NEAR(moves[2] - moves[1], 15, 1);
}

TEST_F(ButtonConfig, AssignmentsTakeTheButtonFromOtherRowsAndTheHighestHeldWins) {
  Joystick(
      "0 JOY_BUTTON 3 down\n1 JOY_BUTTON 3 up\n2 JOY_BUTTON 3 down\n3 JOY_BUTTON 3 up\n"
      "4 JOY_BUTTON 2 down\n4 JOY_BUTTON 5 down\n");
  gameState.buttonAssign[4] = 99;  // as a stored file may hold it: no button
  Step();
  EXPECT_EQ(Assigned(), (std::vector<int>{3, -1, -1, 99}));
  Step();
  gameState.configCursor = 2;
  Step();
  Step();
  ExpectTexts({{4, 500, 260, " NOT "}, {4, 500, 300, " SET "}, {4, 500, 380, " NOT "}});
  gameState.configCursor = 3;
  Step();
  EXPECT_EQ(Assigned(), (std::vector<int>{-1, 3, 5, 99}));
  Hold(os::vk::kSpace);  // leaving and coming back keeps them
  Step();
  Hold(os::vk::kSpace, false);
  Hold('J');
  Step();
  EXPECT_EQ(gameState.configCursor, 1);
  EXPECT_EQ(Assigned(), (std::vector<int>{5, 3, -1, 99})) << "button 5 still held: row 1 takes it";
}

}  // namespace
}  // namespace overlay_test
