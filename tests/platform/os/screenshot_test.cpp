#include "platform/os/screenshot.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "platform/os/screen_notice.h"
#include "platform/os/user_folders.h"
#include "support/scratch.h"

namespace os = platform::os;
namespace fs = std::filesystem;

namespace {

// A new account has no pictures folder: the first F12 makes it. A file where
// the folder should be is said, on screen as on standard error, and nothing
// is written.
TEST(Screenshot, MakesAMissingPicturesFolderAndSaysWhereOrWhyNot) {
  const fs::path dir = test_support::ScratchFolder("screenshot");
  os::Picture picture;
  picture.width = picture.height = 2;
  picture.pixels.assign(4, 0x123456);

  const fs::path pictures = dir / "new" / "Pictures";
  ::setenv("XDG_PICTURES_DIR", pictures.c_str(), 1);
  const std::string saved = os::SaveScreenshot(picture);
  ASSERT_EQ(saved.rfind("screenshot saved to " + pictures.string() + "/zarn-", 0), 0u) << saved;
  EXPECT_TRUE(fs::is_regular_file(saved.substr(std::string("screenshot saved to ").size())));
  EXPECT_NE(os::SaveScreenshot(picture), saved) << "a second picture in the same second gets its own name";

  std::ofstream(dir / "in-the-way") << "x";
  ::setenv("XDG_PICTURES_DIR", (dir / "in-the-way").c_str(), 1);
  const std::string refused = os::SaveScreenshot(picture);
  ::setenv("XDG_PICTURES_DIR", "", 1);
  EXPECT_EQ(refused.rfind("screenshot not saved: cannot make the folder " + (dir / "in-the-way").string(), 0), 0u)
      << refused;

  // No home: a "$HOME/..." pictures folder is no folder, never one at the
  // root of the system.
  const std::string home = getenv("HOME") ? getenv("HOME") : "";
  const std::string config = getenv("XDG_CONFIG_HOME") ? getenv("XDG_CONFIG_HOME") : "";
  fs::create_directories(dir / "config");
  std::ofstream(dir / "config" / "user-dirs.dirs") << "XDG_PICTURES_DIR=\"$HOME/Pictures\"\n";
  ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
  ::unsetenv("HOME");
  EXPECT_EQ(os::PicturesFolder(), "");
  ::setenv("HOME", home.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);

  // The line fits the narrowest window on lines of its own, for its time.
  os::ScreenNotice notice;
  const auto now = os::ScreenNotice::Clock::now();
  notice.Show(saved, now);
  EXPECT_TRUE(notice.Due(now));
  EXPECT_FALSE(notice.Due(now + os::ScreenNotice::kShownFor));
  const os::Picture strip = notice.Strip(320);
  EXPECT_EQ(strip.width, 320);
  EXPECT_GE(strip.height, 3 * 15) << "wrapped onto several lines";
  fs::remove_all(dir);
}

}  // namespace
