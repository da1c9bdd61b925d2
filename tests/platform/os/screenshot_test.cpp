#include "platform/os/screenshot.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/os/user_folders.h"

namespace platform::os {
namespace {

namespace fs = std::filesystem;

// Screenshots land in the pictures folder user-dirs.dirs names, never over
// an earlier one; a pictures folder that is not there means the working one.
TEST(Screenshot, GoesToThePicturesFolderAndNeverOverwrites) {
  const fs::path dir = fs::temp_directory_path() / ("zarn-shots-" + std::to_string(::getpid()));
  fs::create_directories(dir / "home" / "Bilder");
  std::ofstream(dir / "user-dirs.dirs") << "# by xdg-user-dirs-update\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
  const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("HOME", (dir / "home").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
  ::setenv("XDG_PICTURES_DIR", "", 1);

  const Picture picture{2, 1, {0xFF0000, 0x00FF00}};
  testing::internal::CaptureStderr();
  const std::string first = SaveScreenshot(picture), second = SaveScreenshot(picture);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(fs::path(first).parent_path(), dir / "home" / "Bilder");
  EXPECT_NE(first, second);
  EXPECT_TRUE(fs::exists(first) && fs::exists(second));
  EXPECT_NE(said.find("screenshot saved to " + second), std::string::npos) << said;
  ::setenv("XDG_PICTURES_DIR", (dir / "gone").c_str(), 1);
  EXPECT_EQ(PicturesFolder(), "");

  ::setenv("HOME", home.c_str(), 1);
  ::unsetenv("XDG_PICTURES_DIR");
  ::unsetenv("XDG_CONFIG_HOME");
  fs::remove_all(dir);
}

}  // namespace
}  // namespace platform::os
