#include "platform/os/clock.h"

#include "platform/os/backend.h"

namespace platform::os {

std::int64_t NowNanoseconds() { return CurrentBackend().NowNanoseconds(); }

std::uint32_t TickCount() { return static_cast<std::uint32_t>(NowNanoseconds() / 1'000'000); }

std::int64_t CurrentTime() { return CurrentBackend().WallClockSeconds(); }

}  // namespace platform::os
