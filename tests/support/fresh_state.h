#pragma once
// Puts every program-wide record back to its start: a fresh headless
// machine, an empty queue, no window, no keys, the game record as at start.
#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "core/game_state.h"
#include "platform/os/backend.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "platform/os/turns.h"
#include "platform/os/window.h"
#include "vexel/vexel.h"

namespace test_support {

inline void FreshState(double fps = 60.0) {
  platform::os::StartBackend({true, fps});
  platform::os::ResetMessageQueue();
  platform::os::ResetTurns();
  platform::os::ResetWindows();
  platform::os::ClearKeyboard();
  game::gameState = game::GameState{};
  vexel::vexelContext = vexel::VexelContext{};
}

// A fresh state with the main window of mode row `mode` (800x600x16 by
// default), as start-up leaves it before the display is set up.
inline bool FreshWindow(int mode = 0) {
  FreshState();
  app::SelectDisplayMode(mode);
  return app::CreateMainWindow(nullptr, 1);
}

// Drains the queue through the window procedure, as the main loop does.
inline void Drain() {
  platform::os::Message m;
  while (platform::os::PeekMessage(m)) platform::os::DispatchMessage(m);
}

}  // namespace test_support
