#pragma once
// What a person does at the live window system, put into SDL's own event
// queue: the live backend then takes it by its ordinary path. For tests of
// that path on SDL's display-less driver.
#include "platform/os/window.h"

namespace platform::os {

// A key by virtual-key code (letters, digits, Enter, Escape, Space, arrows),
// with Alt held or not. False for a key without an SDL counterpart here.
bool InjectKey(int virtualKey, bool down, bool alt = false);
// The window's close button.
void InjectClose();
// Whether the live window is shown full screen.
bool ShownFullScreen(const Window& window);

}  // namespace platform::os
