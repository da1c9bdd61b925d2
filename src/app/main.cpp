// The entry point: reads the command line, starts the live or headless
// machine and runs the game.
#include <cstdio>

#include "app/command_line.h"
#include "app/demo_runs.h"
#include "app/run_outputs.h"
#include "app/run_outputs_targets.h"
#include "app/state_trail.h"
#include "app/top_level.h"
#include "app/win_main.h"
#include "autopilot/autopilot.h"
#include "platform/backends/backends.h"
#include "platform/os/debug_output.h"
#include "platform/os/end_signals.h"
#include "platform/os/file_access.h"
#include "platform/os/host_yield.h"
#include "platform/os/std_streams.h"
#include "platform/os/turns.h"
#include "platform/os/window.h"
#include "platform/rm/device.h"

namespace {

bool LoadInputScript(const std::string& path, std::string& error) {
  const platform::os::FileRead file = platform::os::ReadRegularFile(path, platform::os::FileKind::kInputScript);
  if (!file.Ok()) {
    error = "cannot read the input file " + path + ": " + file.why;
    return false;
  }
  std::vector<platform::os::ScriptEvent> events;
  std::string why;
  if (!platform::os::ParseInputScript(file.bytes, events, &why)) {
    error = path + ": " + why;
    return false;
  }
  platform::os::SetInputScript(std::move(events));
  return true;
}

int Run(int argc, char** argv) {
  app::RunOptions& options = app::runOptions;
  std::string message;
  switch (app::ParseCommandLine(argc, argv, options, message)) {
    case app::ParseOutcome::Exit: std::fputs(message.c_str(), stdout); return 0;
    case app::ParseOutcome::Error: std::fprintf(stderr, "%s\n", message.c_str()); return 2;
    case app::ParseOutcome::Run: break;
  }
  if (!app::OutputTargetsApart(options, message)) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 2;
  }
  app::RemoveStaleOutputTemporaries(options);
  if (!options.inputFile.empty() && !LoadInputScript(options.inputFile, message)) {
    std::fprintf(stderr, "zarn: %s\n", message.c_str());
    return 2;
  }
  if (options.joystick) platform::os::AttachScriptedJoystick();
  platform::os::SetDebugOutputEnabled(options.debug);
  platform::os::SetTurnLimit(options.turns);
  platform::os::KeepPresentedPictures(!options.screenshotFile.empty());
  platform::rm::Device::SetDefaultThreads(options.DrawingThreads());
  if (!platform::StartBackends({options.headless, options.fps, options.seed}, &message)) {
    std::fprintf(stderr, "zarn: %s (use --headless to run without a display)\n", message.c_str());
    return 1;
  }
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  if (!options.trailFile.empty() && !app::StartTrail(options.trailFile, commandLine, message)) {
    std::fprintf(stderr, "zarn: %s\n", message.c_str());
    platform::StopBackends();
    return app::kOutputFailedExit;
  }
  const std::string& demoFile = options.timeDemoFile.empty() ? options.playDemoFile : options.timeDemoFile;
  if (!demoFile.empty() && !app::PrepareDemoRun(demoFile, !options.timeDemoFile.empty(), message)) {
    std::fprintf(stderr, "zarn: %s\n", message.c_str());
    platform::StopBackends();
    return 1;
  }
  if (options.autopilot)
    autopilot::Start(options.replayRoute ? autopilot::Route::Replay : autopilot::Route::Result,
                     options.autopilotStages);
  int code = app::WinMain(nullptr, nullptr, "", 1);
  platform::StopBackends();
  app::ReportDemoRun();
  // The trail replaces an earlier one only now that the run has ended well
  // (an end signal ends it in order too).
  if (code != 0) {
    app::AbandonTrail();
  } else if (!app::FinishTrail(message)) {
    std::fprintf(stderr, "zarn: %s\n", message.c_str());
    code = app::kOutputFailedExit;
  }
  // The game could not be won: the autopilot has said why.
  if (code == 0 && !autopilot::Failure().empty()) code = 3;
  // Ended by a signal: the status a shell expects of it.
  if (const int signal = platform::os::EndSignal(); code == 0 && signal != 0) code = 128 + signal;
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  platform::os::OpenClosedStandardStreams();
  platform::os::CatchEndSignals();
  return platform::os::ProgramEnds(
      platform::os::FinishStandardOutput(app::RunGuarded([&] { return Run(argc, argv); })));
}
