#pragma once
// Scratch places in the temporary folder that no other test process shares:
// ctest runs test cases side by side, each in a process of its own.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace test_support {

inline std::filesystem::path ScratchPath(const std::string& name) {
  return std::filesystem::temp_directory_path() / ("zarn-" + std::to_string(::getpid()) + "-" + name);
}

// An empty folder of that name.
inline std::filesystem::path ScratchFolder(const std::string& name) {
  std::filesystem::path dir = ScratchPath(name);
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

// A file's bytes ("" when it cannot be read).
inline std::string FileContents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace test_support
