#include "platform/os/screenshot.h"

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <system_error>

#include "platform/os/png_writer.h"
#include "platform/os/user_folders.h"

namespace platform::os {

std::string SaveScreenshot(const Picture& picture) {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
  const std::string stem = PicturesFolder() + "zarn-" + stamp;
  std::string path = stem + ".png";
  std::error_code ignored;
  for (int n = 2; std::filesystem::exists(path, ignored); ++n) path = stem + "-" + std::to_string(n) + ".png";
  std::string error;
  if (!WritePng(path, picture, &error)) {
    std::fprintf(stderr, "zarn: screenshot not saved: %s\n", error.c_str());
    return "";
  }
  std::fprintf(stderr, "zarn: screenshot saved to %s\n", path.c_str());
  return path;
}

}  // namespace platform::os
