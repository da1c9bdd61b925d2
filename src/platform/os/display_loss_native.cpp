#include "platform/os/display_loss.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstring>

#include "core/exit_status.h"

namespace platform::os {

namespace {

DisplayLostHook g_hook = nullptr;

// Xlib ends the process when this returns, through exit() and every static
// destructor; so it never returns, and nothing after it touches X.
int OnConnectionLost(Display*) {
  static bool ending = false;
  if (!ending) {
    ending = true;
    constexpr const char kLine[] = "zarn: the connection to the display was lost; the game ends\n";
    [[maybe_unused]] ssize_t ignored = ::write(2, kLine, sizeof kLine - 1);
    if (g_hook) g_hook();
  }
  ::_exit(core::kExitFailed);
}

}  // namespace

void SetDisplayLostHook(DisplayLostHook hook) { g_hook = hook; }

void WatchDisplayConnection() { XSetIOErrorHandler(OnConnectionLost); }

}  // namespace platform::os
