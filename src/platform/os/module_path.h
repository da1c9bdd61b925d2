#pragma once
// The program's own file name, and the split of a path into drive, directory,
// file name and extension as the C runtime's _splitpath gives it (on Linux the
// drive is always empty and the directory keeps its trailing '/').
#include <string>

namespace platform::os {

// The executable's full path, cut to `bufferSize` - 1 characters like the
// Windows call with that buffer size.
std::string GetModuleFileName(std::size_t bufferSize = 260);
// Lets a run pretend to be another executable (tests, tools); empty restores.
void SetModuleFileNameOverride(const std::string& path);

struct SplitPath {
  std::string drive, directory, name, extension;
};
SplitPath SplitPathParts(const std::string& path);

}  // namespace platform::os
