#include <emscripten.h>

#include "platform/os/host_yield.h"

namespace platform::os {

namespace {

using Clock = std::chrono::steady_clock;

// Long enough that stepping away costs little of a fast run's turns, short
// enough that the page's log and title keep up with it.
constexpr auto kLongestAway = std::chrono::milliseconds(20);
Clock::time_point g_lastYield = Clock::now();

void Yield(int milliseconds) {
  emscripten_sleep(static_cast<unsigned>(milliseconds));
  g_lastYield = Clock::now();
}

}  // namespace

void WaitUntil(Clock::time_point due) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(due - Clock::now());
  Yield(left.count() > 0 ? static_cast<int>(left.count()) : 0);
}

void LetHostRun() {
  if (Clock::now() - g_lastYield >= kLongestAway) Yield(0);
}

int ProgramEnds(int status) {
  emscripten_force_exit(status);
  return status;
}

}  // namespace platform::os
