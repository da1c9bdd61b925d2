#pragma once
// The program's clock. Live, it is the machine's monotonic clock; headless, it
// is virtual and advances by exactly one turn (1/fps s) per main-loop turn, so
// that timers, seeds and therefore whole runs repeat exactly.
#include <cstdint>

namespace platform::os {

// Nanoseconds since the backend started.
std::int64_t NowNanoseconds();
// Milliseconds since the backend started (GetTickCount).
std::uint32_t TickCount();
// "The current time" in whole seconds, as used to seed random draws: the
// wall clock live, a fixed epoch plus the virtual time headless.
std::int64_t CurrentTime();

}  // namespace platform::os
