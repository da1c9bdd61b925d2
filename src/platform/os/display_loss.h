#pragma once
// A display that goes away under the game (the X server ends or the
// connection breaks): the game says so in one line and ends at once with
// core::kExitFailed, after the hook has saved what it can. Xlib's own answer
// is exit(1), whose clean-up talks to the dead connection and can hang.
namespace platform::os {

// Called once the connection is lost, before the process ends; it must not
// use the display.
using DisplayLostHook = void (*)();
void SetDisplayLostHook(DisplayLostHook hook);

// Watches the X connection of the live backend (a no-op on other drivers).
void WatchDisplayConnection();

}  // namespace platform::os
