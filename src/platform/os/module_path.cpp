#include "platform/os/module_path.h"

#include <unistd.h>

#include <array>
#include <string_view>

namespace platform::os {

namespace {
std::string g_override;

// An executable replaced or removed while it runs (an upgrade, a rebuild) is
// named "<path> (deleted)" by the system; the game's files belong beside the
// path, not beside a name nobody gave.
std::string WithoutDeletedMark(const std::string& path) {
  constexpr std::string_view kMark = " (deleted)";
  if (path.size() <= kMark.size() || !path.ends_with(kMark) || access(path.c_str(), F_OK) == 0) return path;
  return path.substr(0, path.size() - kMark.size());
}
}  // namespace

std::string GetModuleFileName(std::size_t bufferSize) {
  std::string path = g_override;
  if (path.empty()) {
    std::array<char, 4096> buffer{};
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (n > 0) path.assign(buffer.data(), static_cast<std::size_t>(n));
    path = WithoutDeletedMark(path);
  }
  if (bufferSize == 0) return {};
  if (path.size() > bufferSize - 1) path.resize(bufferSize - 1);
  return path;
}

void SetModuleFileNameOverride(const std::string& path) { g_override = path; }

SplitPath SplitPathParts(const std::string& path) {
  SplitPath parts;
  std::size_t slash = path.find_last_of('/');
  std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  parts.directory = path.substr(0, nameStart);
  std::string file = path.substr(nameStart);
  std::size_t dot = file.find_last_of('.');
  if (dot == std::string::npos) {
    parts.name = file;
  } else {
    parts.name = file.substr(0, dot);
    parts.extension = file.substr(dot);
  }
  return parts;
}

}  // namespace platform::os
