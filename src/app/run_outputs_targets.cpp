#include "app/run_outputs_targets.h"

#include "app/config_file.h"
#include "demo/demo.h"
#include "platform/os/module_path.h"
#include "platform/os/output_file.h"

namespace app {

std::vector<OutputTarget> RunOutputTargets(const RunOptions& options) {
  std::vector<OutputTarget> targets;
  auto add = [&](const char* option, const std::string& path) {
    if (!path.empty()) targets.push_back({option, path});
  };
  add("--state", options.stateFile);
  add("--screenshot", options.screenshotFile);
  add("--trail", options.trailFile);
  if (options.saveDemo) add("--save-demo", demo::DemoFilePath());
  add("the settings", ConfigFilePath());
  return targets;
}

core::Status OutputTargetsApart(const RunOptions& options) {
  const std::vector<OutputTarget> targets = RunOutputTargets(options);
  // The game's own files, whether this run writes them or not.
  const OutputTarget own[] = {{"the settings", ConfigFilePath()},
                              {"the recorded demo", demo::DemoFilePath()},
                              {"the game's executable", platform::os::GetModuleFileName(std::string::npos)}};
  for (std::size_t i = 0; i < targets.size(); ++i) {
    const OutputTarget& t = targets[i];
    if (t.option == "the settings" || t.option == "--save-demo") continue;
    auto clash = [&](const OutputTarget& other) {
      return core::Status::Failure("zarn: " + t.option + " " + t.path + " names the same file as " + other.option +
                                   (other.option.starts_with("--") ? " " + other.path : "") +
                                   "; give each output a file of its own");
    };
    for (std::size_t j = 0; j < i; ++j)
      if (platform::os::SameFile(t.path, targets[j].path)) return clash(targets[j]);
    for (const OutputTarget& o : own)
      if (!o.path.empty() && platform::os::SameFile(t.path, o.path)) return clash(o);
  }
  return core::Status::Success();
}

void RemoveStaleOutputTemporaries(const RunOptions& options) {
  for (const OutputTarget& t : RunOutputTargets(options)) platform::os::RemoveStaleTemporaries(t.path);
  if (!options.saveDemo) platform::os::RemoveStaleTemporaries(demo::DemoFilePath());
}

}  // namespace app
