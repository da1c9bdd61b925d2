#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, Ctrl+C, a closed terminal) end the
// game the way Escape does: settings saved, outputs written. A second one
// ends it at once, for a game stuck on its way out.
namespace platform::os {

// Installs the handlers; the main loop sees a caught signal as a request to
// close (CloseRequested).
void CatchEndSignals();
// The signal that asked for the end, 0 when none came.
int EndSignal();

}  // namespace platform::os
