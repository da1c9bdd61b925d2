// The entry point: reads the command line, starts the live or headless
// machine and runs the game.
#include <cstdio>
#include <exception>

#include "app/command_line.h"
#include "app/win_main.h"
#include "platform/os/backend.h"
#include "platform/os/debug_output.h"
#include "platform/os/file_access.h"
#include "platform/os/turns.h"
#include "platform/os/window.h"

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
  if (!options.inputFile.empty() && !LoadInputScript(options.inputFile, message)) {
    std::fprintf(stderr, "zarn: %s\n", message.c_str());
    return 2;
  }
  if (options.joystick) platform::os::AttachScriptedJoystick();
  platform::os::SetDebugOutputEnabled(options.debug);
  platform::os::SetTurnLimit(options.turns);
  platform::os::KeepPresentedPictures(!options.screenshotFile.empty());
  if (!platform::os::StartBackend({options.headless, options.fps}, &message)) {
    std::fprintf(stderr, "zarn: %s (use --headless to run without a display)\n", message.c_str());
    return 1;
  }
  int code = app::WinMain(nullptr, nullptr, "", 1);
  platform::os::StopBackend();
  return code;
}

}  // namespace

// Whatever escapes is a fault of ours: said in words, with the exit status
// of an internal software error, rather than an abort and a core dump.
int main(int argc, char** argv) {
  try {
    return Run(argc, argv);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zarn: internal error: %s\n", e.what());
  } catch (...) {
    std::fprintf(stderr, "zarn: internal error\n");
  }
  return 70;
}
