#pragma once
// The last guard around a run: whatever escapes it is a fault of ours, said
// in words with the exit status of an internal software error, rather than
// an abort and a core dump.
#include <functional>

namespace app {

// Returns what `run` returns; an exception escaping it is reported on
// standard error with its text and gives core::kExitInternalError.
int RunGuarded(const std::function<int()>& run);

}  // namespace app
