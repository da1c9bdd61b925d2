#include <thread>

#include "platform/os/host_yield.h"

namespace platform::os {

void WaitUntil(std::chrono::steady_clock::time_point due) { std::this_thread::sleep_until(due); }

void LetHostRun() {}

int ProgramEnds(int status) { return status; }

}  // namespace platform::os
