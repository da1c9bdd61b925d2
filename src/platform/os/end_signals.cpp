#include "platform/os/end_signals.h"

#include <signal.h>

#include <initializer_list>

namespace platform::os {

namespace {

volatile sig_atomic_t g_endSignal = 0;

// The first signal is only noted; a second one, of any of the three, takes
// its default course (raised again once this handler returns).
void OnEndSignal(int signal) {
  if (g_endSignal == 0) {
    g_endSignal = signal;
    return;
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

void CatchEndSignals() {
  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    // A signal ignored by whoever started us (nohup) stays ignored.
    struct sigaction old {};
    if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler == SIG_IGN) continue;
    ::sigaction(signal, &action, nullptr);
  }
}

int EndSignal() { return g_endSignal; }

}  // namespace platform::os
