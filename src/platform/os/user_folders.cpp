#include "platform/os/user_folders.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "platform/os/data_folder.h"
#include "platform/os/module_path.h"

namespace platform::os {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// $HOME when it names a folder; "" when unset or relative, so that nothing
// is aimed at the root of the system.
std::string Home() {
  const std::string home = Env("HOME");
  return !home.empty() && home.front() == '/' ? home : "";
}

// An XDG variable, or its fallback under $HOME; relative values are invalid
// by the XDG rules and count as unset. Without a HOME that names a folder
// there is no fallback (""): it would be aimed at the root of the system.
std::string XdgFolder(const char* variable, const char* underHome) {
  std::string set = Env(variable);
  if (!set.empty() && set.front() == '/') return set;
  const std::string home = Home();
  return home.empty() ? "" : home + "/" + underHome;
}

// The value of XDG_PICTURES_DIR in user-dirs.dirs: "$HOME/..." or absolute.
std::string PicturesFromUserDirs() {
  const std::string config = XdgFolder("XDG_CONFIG_HOME", ".config");
  if (config.empty()) return "";
  std::ifstream in(config + "/user-dirs.dirs");
  const std::string key = "XDG_PICTURES_DIR=\"";
  for (std::string line; std::getline(in, line);) {
    if (line.compare(0, key.size(), key) != 0 || line.back() != '"') continue;
    std::string value = line.substr(key.size(), line.size() - key.size() - 1);
    if (value.compare(0, 5, "$HOME") != 0) return value.front() == '/' ? value : "";
    return Home().empty() ? "" : Home() + value.substr(5);
  }
  return "";
}

}  // namespace

std::string ExecutableFolder() { return SplitPathParts(GetModuleFileName(std::string::npos)).directory; }

std::string ProgramName() {
  const std::string name = SplitPathParts(GetModuleFileName(std::string::npos)).name;
  return name.empty() ? "zarn" : name;
}

std::string PlaceToWrite(const std::string& fileName, UserFolder fallback) {
  const std::string folder = ExecutableFolder();
  // No folder at all: the system could not give the executable's path (one
  // beyond its own limit); the working folder would be a guess. An installed
  // game keeps out of its installed folders even when it could write them.
  if (!folder.empty() && !RunsInstalled() && access(folder.c_str(), W_OK) == 0) return folder + fileName;
  return UserPlace(fileName, fallback);
}

void MakeFolderFor(const std::string& path) {
  std::error_code ignored;
  if (!path.empty()) fs::create_directories(fs::path(path).parent_path(), ignored);
}

std::string UserPlace(const std::string& fileName, UserFolder folder) {
  const std::string user = folder == UserFolder::kConfig ? XdgFolder("XDG_CONFIG_HOME", ".config")
                                                         : XdgFolder("XDG_DATA_HOME", ".local/share");
  if (user.empty()) return "";
  return user + "/" + ProgramName() + "/" + fileName;
}

std::string PlaceToRead(const std::string& fileName, UserFolder fallback) {
  std::error_code ignored;
  if (RunsInstalled()) {
    // The player's own file (a recording of --save-demo) before the one
    // installed with the game, as a recording beside the game replaces it.
    const std::string own = UserPlace(fileName, fallback);
    if (!own.empty() && fs::exists(own, ignored)) return own;
  }
  const std::string beside = (RunsInstalled() ? DataFolder() : ExecutableFolder()) + fileName;
  return fs::exists(beside, ignored) ? beside : PlaceToWrite(fileName, fallback);
}

std::string PicturesFolder() {
  std::string pictures = Env("XDG_PICTURES_DIR");
  if (pictures.empty()) pictures = PicturesFromUserDirs();
  // The XDG user folders' own default.
  if (pictures.empty() && !Home().empty()) pictures = Home() + "/Pictures";
  if (pictures.empty()) return "";
  return pictures.back() == '/' ? pictures : pictures + "/";
}

}  // namespace platform::os
