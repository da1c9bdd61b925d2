// The entry point: reads the command line, starts the live or headless
// machine and runs the game.
#include <cstdio>
#include <memory>

#include "app/command_line.h"
#include "app/demo_runs.h"
#include "app/run_outputs.h"
#include "app/run_outputs_targets.h"
#include "app/state_trail.h"
#include "app/top_level.h"
#include "app/win_main.h"
#include "autopilot/autopilot.h"
#include "core/exit_status.h"
#include "core/status.h"
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

core::Status LoadInputScript(const std::string& path) {
  const platform::os::FileRead file = platform::os::ReadRegularFile(path, platform::os::FileKind::kInputScript);
  if (!file.Ok()) return core::Status::Failure("cannot read the input file " + path + ": " + file.why);
  std::vector<platform::os::ScriptEvent> events;
  std::string why;
  if (!platform::os::ParseInputScript(file.bytes, events, &why)) return core::Status::Failure(path + ": " + why);
  platform::os::SetInputScript(std::move(events));
  return core::Status::Success();
}

int Run(int argc, char** argv) {
  app::RunOptions& options = app::runOptions;
  std::string message;
  switch (app::ParseCommandLine(argc, argv, options, message)) {
    case app::ParseOutcome::Exit: std::fputs(message.c_str(), stdout); return core::kExitSuccess;
    case app::ParseOutcome::Error: std::fprintf(stderr, "%s\n", message.c_str()); return core::kExitUsage;
    case app::ParseOutcome::Run: break;
  }
  if (const core::Status apart = app::OutputTargetsApart(options); !apart.Ok()) {
    std::fprintf(stderr, "%s\n", apart.Why().c_str());
    return core::kExitUsage;
  }
  app::RemoveStaleOutputTemporaries(options);
  if (!options.inputFile.empty()) {
    if (const core::Status loaded = LoadInputScript(options.inputFile); !loaded.Ok()) {
      std::fprintf(stderr, "zarn: %s\n", loaded.Why().c_str());
      return core::kExitUsage;
    }
  }
  if (options.joystick) platform::os::AttachScriptedJoystick();
  platform::os::SetDebugOutputEnabled(options.debug);
  platform::os::SetTurnLimit(options.turns);
  platform::os::KeepPresentedPictures(!options.screenshotFile.empty());
  platform::rm::Device::SetDefaultThreads(options.DrawingThreads());
  // Every way out from here stops the machine, closing the window.
  std::unique_ptr<platform::Backends> backends =
      platform::Backends::Start({options.headless, options.fps, options.seed}, &message);
  if (!backends) {
    std::fprintf(stderr, "zarn: %s (use --headless to run without a display)\n", message.c_str());
    return core::kExitFailed;
  }
  std::string commandLine;
  for (int i = 1; i < argc; ++i) {
    if (i > 1) commandLine += ' ';
    commandLine += argv[i];
  }
  if (!options.trailFile.empty()) {
    if (const core::Status started = app::StartTrail(options.trailFile, commandLine); !started.Ok()) {
      std::fprintf(stderr, "zarn: %s\n", started.Why().c_str());
      return core::kExitOutputFailed;
    }
  }
  const std::string& demoFile = options.timeDemoFile.empty() ? options.playDemoFile : options.timeDemoFile;
  if (!demoFile.empty()) {
    if (const core::Status prepared = app::PrepareDemoRun(demoFile, !options.timeDemoFile.empty()); !prepared.Ok()) {
      std::fprintf(stderr, "zarn: %s\n", prepared.Why().c_str());
      return core::kExitFailed;
    }
  }
  if (options.autopilot)
    autopilot::Start(options.replayRoute ? autopilot::Route::Replay : autopilot::Route::Result,
                     options.autopilotStages);
  int code = app::WinMain(*backends, nullptr, nullptr, "", 1);
  // The window goes before the reports and the trail are written.
  backends.reset();
  app::ReportDemoRun();
  // The trail replaces an earlier one only now that the run has ended well
  // (an end signal ends it in order too).
  if (code != core::kExitSuccess) {
    app::AbandonTrail();
  } else if (const core::Status finished = app::FinishTrail(); !finished.Ok()) {
    std::fprintf(stderr, "zarn: %s\n", finished.Why().c_str());
    code = core::kExitOutputFailed;
  }
  // The game could not be won: the autopilot has said why.
  if (code == core::kExitSuccess && !autopilot::Failure().empty()) code = core::kExitNotWon;
  // Ended by a signal: the status a shell expects of it.
  if (const int signal = platform::os::EndSignal(); code == core::kExitSuccess && signal != 0)
    code = core::kExitSignalBase + signal;
  return code;
}

}  // namespace

int main(int argc, char** argv) {
  platform::os::OpenClosedStandardStreams();
  platform::os::CatchEndSignals();
  return platform::os::ProgramEnds(
      platform::os::FinishStandardOutput(app::RunGuarded([&] { return Run(argc, argv); })));
}
