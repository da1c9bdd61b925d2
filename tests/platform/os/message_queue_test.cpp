#include <gtest/gtest.h>

#include "platform/os/backend.h"
#include "platform/os/clock.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "platform/os/sdl_keymap.h"
#include "platform/os/turns.h"
#include "platform/os/window.h"

namespace os = platform::os;

namespace {

std::vector<std::uint32_t> g_seen;
os::LResult Record(os::Window* w, std::uint32_t m, std::uintptr_t wp, std::intptr_t lp) {
  g_seen.push_back(m);
  return os::DefWindowProc(w, m, wp, lp);
}

class MessageQueue : public ::testing::Test {
 protected:
  void SetUp() override {
    os::StartBackend({true, 60.0});
    os::ResetMessageQueue();
    os::ResetTurns();
    os::ResetWindows();
    os::ClearKeyboard();
    g_seen.clear();
    ASSERT_TRUE(os::RegisterWindowClass({"test", 0, Record, 0, 0}));
    window = os::CreateMainWindow("test", "t", os::kWsVisible, 0, 0, 100, 100);
    ASSERT_NE(window, nullptr);
  }
  os::Window* window = nullptr;
};

}  // namespace

TEST_F(MessageQueue, PostedMessagesComeBeforeQuitAndTimers) {
  os::SetTimer(window, 2, 10);
  os::EndTurn();  // 16.7 ms later the timer is due
  os::PostQuitMessage(3);
  os::PostMessage(window, os::msg::kPaint, 0, 0);
  os::Message m;
  ASSERT_TRUE(os::PeekMessage(m));
  EXPECT_EQ(m.message, os::msg::kPaint);
  ASSERT_TRUE(os::PeekMessage(m));
  EXPECT_EQ(m.message, os::msg::kQuit);
  EXPECT_EQ(m.wParam, 3u);
  ASSERT_TRUE(os::PeekMessage(m));
  EXPECT_EQ(m.message, os::msg::kTimer);
  EXPECT_EQ(m.wParam, 2u);
  EXPECT_EQ(m.window, window);
  EXPECT_FALSE(os::PeekMessage(m));
}

TEST_F(MessageQueue, TimerCadenceOverManyTurnsHasNoDrift) {
  os::SetTimer(window, 5, 100);
  int fired = 0;
  for (int turn = 0; turn < 600; ++turn) {  // ten seconds at 60 turns a second
    os::Message m;
    while (os::PeekMessage(m))
      if (m.message == os::msg::kTimer) ++fired;
    os::EndTurn();
  }
  EXPECT_EQ(fired, 99);  // due at 100 ms .. 9900 ms; 10000 ms is the next turn
}

TEST(InputScript, ParsesKeysJoystickAndComments) {
  std::vector<os::ScriptEvent> events;
  std::string error;
  ASSERT_TRUE(os::ParseInputScript(
      "# start\n10 VK_SPACE down\n\n5 A down  # early\n10 VK_SPACE up\n7 JOY_X -1000\n8 JOY_BUTTON 3 down\r\n", events,
      &error))
      << error;
  ASSERT_EQ(events.size(), 5u);
  EXPECT_EQ(events[0].turn, 5);
  EXPECT_EQ(events[0].code, 'A');
  EXPECT_EQ(events[1].kind, os::ScriptEvent::Kind::JoystickX);
  EXPECT_EQ(events[1].value, -1000);
  EXPECT_EQ(events[2].kind, os::ScriptEvent::Kind::JoystickButton);
  // Same turn: file order kept (down before up).
  EXPECT_EQ(events[3].value, 1);
  EXPECT_EQ(events[4].value, 0);
}

TEST(InputScript, RejectsBadLinesNamingThem) {
  const char* bad[] = {"x VK_SPACE down",       "-1 VK_SPACE down",         "3 VK_NOPE down",
                       "3 VK_SPACE sideways",   "3 JOY_BUTTON 32 down",     "3 JOY_X",
                       "3 VK_SPACE down extra", "99999999999999999999 A up"};
  for (const char* line : bad) {
    std::vector<os::ScriptEvent> events;
    std::string error;
    EXPECT_FALSE(os::ParseInputScript(std::string("1 A down\n") + line, events, &error)) << line;
    EXPECT_NE(error.find("line 2"), std::string::npos) << error;
  }
}

// The live keyboard: both keys of a modifier pair are the one code the game
// reads, the keypad's Enter is Return, and the letter, digit and function
// key ranges reach their ends.
TEST(VirtualKeys, SdlKeysGiveTheCodesTheGameReads) {
  const std::pair<SDL_Keycode, int> keys[] = {{SDLK_LSHIFT, os::vk::kShift},
                                              {SDLK_RSHIFT, os::vk::kShift},
                                              {SDLK_LCTRL, os::vk::kControl},
                                              {SDLK_RCTRL, os::vk::kControl},
                                              {SDLK_KP_ENTER, os::vk::kReturn},
                                              {SDLK_a, 'A'},
                                              {SDLK_z, 'Z'},
                                              {SDLK_0, '0'},
                                              {SDLK_9, '9'},
                                              {SDLK_F1, os::vk::kF1},
                                              {SDLK_F12, 0x7B},
                                              {SDLK_UP, os::vk::kUp},
                                              {SDLK_F13, 0},
                                              {SDLK_CAPSLOCK, 0}};
  for (auto [sdl, code] : keys) EXPECT_EQ(os::VirtualKeyFromSdl(sdl), code) << SDL_GetKeyName(sdl);
  EXPECT_EQ(os::SidedVirtualKeyFromSdl(SDLK_RSHIFT), 0xA1);
  EXPECT_EQ(os::SidedVirtualKeyFromSdl(SDLK_a), 0);
}
