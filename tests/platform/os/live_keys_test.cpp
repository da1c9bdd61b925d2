// Keys through the live backend's own event path (SDL's display-less
// driver): a tap shorter than a turn still counts for one turn, and Alt+Enter
// toggles full screen without being an Enter for the game.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/os/backend.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "platform/os/sdl_injection.h"
#include "platform/os/turns.h"
#include "platform/os/window.h"

namespace os = platform::os;

namespace {

const bool kDummyVideo = setenv("SDL_VIDEODRIVER", "dummy", 0) == 0;

class LiveKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    // A turn of a microsecond: the pace's waits are nothing here.
    std::string why;
    if (!kDummyVideo || !os::StartBackend({.headless = false, .fps = 1e6}, &why)) GTEST_SKIP() << why;
    os::ResetMessageQueue();
    os::ResetWindows();
    os::ClearKeyboard();
    os::WindowClass c;
    c.name = "zarn";
    c.proc = [](os::Window*, std::uint32_t, std::uintptr_t, std::intptr_t) -> os::LResult { return 0; };
    ASSERT_TRUE(os::RegisterWindowClass(c));
    window = os::CreateMainWindow("zarn", "Zarn!", 0, 0, 0, 830, 640);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    os::ResetWindows();
    os::ResetMessageQueue();
    os::ClearKeyboard();
    os::StopBackend();
  }
  // The start of a turn: the queue drained, the keyboard read.
  bool DownThisTurn(int key) {
    os::Message m;
    while (os::PeekMessage(m)) os::DispatchMessage(m);
    os::KeyboardState keys;
    os::GetKeyboardState(keys);
    return os::KeyDown(keys, key);
  }
  os::Window* window = nullptr;
};

TEST_F(LiveKeys, ATapBetweenTwoTurnsCountsForOneTurn) {
  os::InjectKey('A', true);
  os::InjectKey('A', false);
  EXPECT_TRUE(DownThisTurn('A'));
  os::EndTurn();
  EXPECT_FALSE(DownThisTurn('A'));

  // Held across turns: released when let go, not a turn later.
  os::InjectKey('B', true);
  EXPECT_TRUE(DownThisTurn('B'));
  os::EndTurn();
  os::InjectKey('B', false);
  EXPECT_FALSE(DownThisTurn('B'));

  // Tapped and pressed again within one turn: still held after it.
  os::InjectKey('C', true);
  os::InjectKey('C', false);
  os::InjectKey('C', true);
  EXPECT_TRUE(DownThisTurn('C'));
  os::EndTurn();
  EXPECT_TRUE(DownThisTurn('C'));
}

TEST_F(LiveKeys, AltEnterTogglesFullScreenAndIsNoEnter) {
  ASSERT_FALSE(os::ShownFullScreen(*window));
  os::InjectKey(os::vk::kReturn, true, true);
  EXPECT_FALSE(DownThisTurn(os::vk::kReturn));
  os::InjectKey(os::vk::kReturn, false, true);
  EXPECT_FALSE(DownThisTurn(os::vk::kReturn));
  EXPECT_TRUE(os::ShownFullScreen(*window));
  os::EndTurn();
  os::InjectKey(os::vk::kReturn, true, true);
  os::InjectKey(os::vk::kReturn, false, true);
  EXPECT_FALSE(DownThisTurn(os::vk::kReturn));
  EXPECT_FALSE(os::ShownFullScreen(*window));
  // Enter alone is the game's.
  os::InjectKey(os::vk::kReturn, true);
  EXPECT_TRUE(DownThisTurn(os::vk::kReturn));
}

}  // namespace
