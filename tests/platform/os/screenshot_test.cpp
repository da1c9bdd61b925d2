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

// Screenshots land in the pictures folder user-dirs.dirs names (or the one
// set outright), never over an earlier one; without such a folder, in the
// working folder.
TEST(Screenshot, GoesToThePicturesFolderAndNeverOverwrites) {
  const fs::path dir = fs::temp_directory_path() / ("zarn-shots-" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "config");
  fs::create_directories(dir / "home" / "Bilder");
  std::ofstream(dir / "config" / "user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                                   << "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
  const char* keep[] = {"HOME", "XDG_CONFIG_HOME", "XDG_PICTURES_DIR"};
  std::string kept[3];
  for (int i = 0; i < 3; ++i) kept[i] = std::getenv(keep[i]) ? std::getenv(keep[i]) : "";
  ::setenv("HOME", (dir / "home").c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  ::setenv("XDG_PICTURES_DIR", "", 1);

  EXPECT_EQ(PicturesFolder(), (dir / "home" / "Bilder").string() + "/");
  Picture picture{2, 1, {0xFF0000, 0x00FF00}};
  testing::internal::CaptureStderr();
  const std::string first = SaveScreenshot(picture), second = SaveScreenshot(picture);
  const std::string said = testing::internal::GetCapturedStderr();
  EXPECT_EQ(fs::path(first).parent_path(), dir / "home" / "Bilder");
  EXPECT_NE(first, second);
  EXPECT_TRUE(fs::exists(first) && fs::exists(second));
  EXPECT_NE(said.find("screenshot saved to " + second), std::string::npos) << said;

  ::setenv("XDG_PICTURES_DIR", (dir / "gone").c_str(), 1);
  EXPECT_EQ(PicturesFolder(), "") << "a folder that is not there: the working folder";

  for (int i = 0; i < 3; ++i) ::setenv(keep[i], kept[i].c_str(), 1);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace platform::os
