#pragma once
// --playdemo and --timedemo: a demo file played as the title's attract demo
// plays it, at once instead of after the title's idle time; timed, the run
// ends with it and reports its pace.
#include <string>

#include "core/status.h"

namespace app {

// Fails with a message naming the file when it is not a demo file.
core::Status PrepareDemoRun(const std::string& path, bool timed);
// Each turn, before the game step.
void DemoRunTurn();
// The figures of a timed run, on standard output.
void ReportDemoRun();

}  // namespace app
