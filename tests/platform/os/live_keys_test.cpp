// Keys through the live backend's own event path (SDL's display-less
// driver): a tap between two turns counts for one turn, and Alt+Enter
// toggles full screen without being an Enter for the game.
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/os/backend.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "platform/os/sdl_injection.h"
#include "platform/os/turns.h"

namespace os = platform::os;

namespace {

// The start of a turn: the queue drained, the key read.
bool Down(int key) {
  os::Message m;
  while (os::PeekMessage(m)) os::DispatchMessage(m);
  os::KeyboardState keys;
  os::GetKeyboardState(keys);
  return os::KeyDown(keys, key);
}

TEST(LiveKeys, TapsCountForOneTurnAndAltEnterIsTheWindowsOwn) {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  std::string why;
  // A turn of a microsecond: the pace's waits are nothing here.
  if (!os::StartBackend({.headless = false, .fps = 1e6}, &why)) GTEST_SKIP() << why;
  os::ResetWindows();
  os::WindowClass c{.name = "zarn",
                    .proc = [](os::Window*, std::uint32_t, std::uintptr_t, std::intptr_t) { return os::LResult{0}; }};
  ASSERT_TRUE(os::RegisterWindowClass(c));
  os::Window* window = os::CreateMainWindow("zarn", "Zarn!", 0, 0, 0, 830, 640);
  ASSERT_NE(window, nullptr);

  os::InjectKey('A', true);
  os::InjectKey('A', false);
  EXPECT_TRUE(Down('A')) << "tapped between two turns";
  os::EndTurn();
  EXPECT_FALSE(Down('A'));
  os::InjectKey('C', true);
  os::InjectKey('C', false);
  os::InjectKey('C', true);
  EXPECT_TRUE(Down('C'));
  os::EndTurn();
  EXPECT_TRUE(Down('C')) << "pressed again: still held";

  os::InjectKey(os::vk::kReturn, true, true);
  os::InjectKey(os::vk::kReturn, false, true);
  EXPECT_FALSE(Down(os::vk::kReturn));
  EXPECT_TRUE(os::ShownFullScreen(*window));
  os::InjectKey(os::vk::kReturn, true, true);
  EXPECT_FALSE(Down(os::vk::kReturn));
  EXPECT_FALSE(os::ShownFullScreen(*window));

  os::ResetWindows();
  os::ResetMessageQueue();
  os::ClearKeyboard();
  os::StopBackend();
}

}  // namespace
