#pragma once
// The run's trail: one line per turn, the turn and a 64-bit hash of all that
// decides what the game does next (the game record, every frame's pose, the
// armed timers, the recording's newest sample). Two runs that agree line for
// line played the same game; the first line where they differ is where they
// parted.
#include <cstdint>
#include <string>

#include "core/status.h"

namespace app {

std::uint64_t StateHash();

// Opens the trail for this run; the file named is replaced only when the run
// ends well (FinishTrail), so a failed run leaves an old trail as it was.
core::Status StartTrail(const std::string& path, const std::string& commandLine);
void RecordTrailTurn(std::int64_t turn);
core::Status FinishTrail();
// A failed run: the partial trail is thrown away, an older one kept.
void AbandonTrail();

}  // namespace app
