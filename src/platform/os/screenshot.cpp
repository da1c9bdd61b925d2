#include "platform/os/screenshot.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "platform/os/png_writer.h"
#include "platform/os/user_folders.h"

namespace platform::os {

namespace {

std::string Said(const std::string& line) {
  std::fprintf(stderr, "zarn: %s\n", line.c_str());
  return line;
}

}  // namespace

std::string SaveScreenshot(const Picture& picture) {
  const std::string folder = PicturesFolder();
  std::error_code error;
  // A new account has no pictures folder until something makes one.
  if (!folder.empty() && !std::filesystem::is_directory(folder, error) &&
      !std::filesystem::create_directories(folder, error))
    return Said("screenshot not saved: cannot make the folder " + folder + ": " +
                (error ? error.message() : "a file of that name is in the way"));
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string stem = folder + "zarn-" + stamp;
  std::string path = stem + ".png";
  for (int n = 2; std::filesystem::exists(path, error); ++n) path = stem + "-" + std::to_string(n) + ".png";
  std::string why;
  if (!WritePng(path, picture, &why)) return Said("screenshot not saved: " + why);
  return Said("screenshot saved to " + path);
}

}  // namespace platform::os
