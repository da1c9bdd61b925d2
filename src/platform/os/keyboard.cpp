#include "platform/os/keyboard.h"

#include "platform/os/backend.h"

namespace platform::os {

namespace {
KeyboardState g_keys{};
}

void SetKeyDown(int virtualKey, bool down) { g_keys[virtualKey & 0xFF] = down ? 0x80 : 0x00; }

void ClearKeyboard() { g_keys.fill(0); }

// Like the Windows call, the array reflects the messages already taken from
// the queue; the main loop drains the queue before every game step.
void GetKeyboardState(KeyboardState& out) { out = g_keys; }

}  // namespace platform::os
