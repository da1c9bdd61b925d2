#pragma once
// For the readers that start from a file name: the input written to a file
// of this process's own, in memory-backed /dev/shm when the machine has it.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

namespace fuzz {

inline std::string ScratchFile(const char* suffix, const std::uint8_t* data, std::size_t size) {
  namespace fs = std::filesystem;
  static const fs::path folder = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
  const std::string path = (folder / ("zarn-fuzz-" + std::to_string(::getpid()) + suffix)).string();
  std::ofstream(path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}

}  // namespace fuzz
