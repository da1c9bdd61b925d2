#pragma once
// The files a run will write, checked before it starts: no two outputs may
// name one file, and none may name a file of the game's own.
#include <string>
#include <vector>

#include "app/command_line.h"
#include "core/status.h"

namespace app {

struct OutputTarget {
  std::string option;  // "--state", ...; "the settings" for zarn.ini
  std::string path;
};

// Every file this run may write: the requested outputs and the settings.
std::vector<OutputTarget> RunOutputTargets(const RunOptions& options);

// Fails with one line when two outputs name one file, or an output names
// the settings, demo.dat or the executable.
core::Status OutputTargetsApart(const RunOptions& options);

// Removes what killed runs left while writing these files (only our own
// temporaries, only of processes that are gone).
void RemoveStaleOutputTemporaries(const RunOptions& options);

}  // namespace app
