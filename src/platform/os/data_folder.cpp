#include "platform/os/data_folder.h"

#include <filesystem>
#include <system_error>

#include "platform/os/install_layout.h"
#include "platform/os/user_folders.h"

namespace platform::os {

std::string DataFolder() {
  // Relative to the executable, not a fixed path: a package in /usr, a
  // player's ~/.local and /usr/local all work with one build.
  const std::string relative = install_layout::kDataFromExecutable;
  const std::string executable = ExecutableFolder();
  if (relative.empty() || executable.empty()) return "";
  const std::string folder = executable + relative + "/";
  std::error_code ignored;
  return std::filesystem::is_directory(folder, ignored) ? folder : "";
}

bool RunsInstalled() { return !DataFolder().empty(); }

std::string DataFile(const std::string& fileName) { return DataFolder() + fileName; }

}  // namespace platform::os
