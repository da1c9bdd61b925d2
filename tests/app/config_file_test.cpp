#include "app/config_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "platform/os/module_path.h"
#include "support/fresh_state.h"

namespace fs = std::filesystem;
using game::gameState;

namespace {

class ConfigFile : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::FreshState();
    dir = fs::temp_directory_path() / ("zarn-config-" + std::to_string(::getpid()) + "-" +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    platform::os::SetModuleFileNameOverride((dir / "zarn").string());
  }
  void TearDown() override {
    platform::os::SetModuleFileNameOverride("");
    fs::remove_all(dir);
  }
  void WriteIni(const std::string& text) { std::ofstream(dir / "zarn.ini", std::ios::binary) << text; }
  std::string ReadIni() {
    std::ifstream in(dir / "zarn.ini", std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }
  void ReadWithSpeed(const std::string& speed) {
    gameState = game::GameState{};
    WriteIni("[Zarn_Section]\nSPEED=" + speed + "\n");
    app::ReadConfigFile();
  }
  fs::path dir;
};

}  // namespace

TEST_F(ConfigFile, NoFileMeansUncalibratedAndNoButtons) {
  app::ReadConfigFile();
  EXPECT_EQ(gameState.speedFactor, 0.0f);
  for (int slot = 1; slot <= 8; ++slot) EXPECT_EQ(gameState.buttonAssign[slot], -1);
}

TEST_F(ConfigFile, SpeedArithmetic) {
  const std::pair<const char*, float> cases[] = {
      {"5", 5.0f},   {"100", 5.0f},    {"40", 2.0f},
      {"50", 2.5f},  {"400", 20.0f},   {"20", 1.0f},
      {"abc", 0.0f}, {" -7x", -0.35f}, {"99999999999999", 2147483647.0f / 20.0f}};
  for (auto [text, expected] : cases) {
    ReadWithSpeed(text);
    EXPECT_FLOAT_EQ(gameState.speedFactor, expected) << text;
  }
}

TEST_F(ConfigFile, ButtonKeysReadAsIsLettersAsZero) {
  WriteIni("[zarn_section]\r\nKey_[1]=letters\r\nKey_[2]=31\r\n key_[3] = 32\r\nKey_[4]=-2\r\n");
  app::ReadConfigFile();
  EXPECT_EQ(gameState.buttonAssign[1], 0);
  EXPECT_EQ(gameState.buttonAssign[2], 31);
  EXPECT_EQ(gameState.buttonAssign[3], 32) << "names no button, but is kept";
  EXPECT_EQ(gameState.buttonAssign[4], -2);
}

TEST_F(ConfigFile, WritesSpeedTimesTwentyTruncatedAndKeepsOtherLines) {
  WriteIni("; mine\n[Other]\nx=1\n[Zarn_Section]\nSPEED=5\n");
  gameState.speedFactor = 1.0f;
  gameState.buttonAssign[2] = 7;
  ASSERT_TRUE(app::WriteConfigFile());
  std::string text = ReadIni();
  EXPECT_NE(text.find("; mine\n[Other]\nx=1\n[Zarn_Section]\nSPEED=20\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Key_[2]=7"), std::string::npos);
  EXPECT_NE(text.find("Key_[1]=-1"), std::string::npos);

  gameState.speedFactor = 4.99f;  // 99.8 in single precision truncates to 99
  ASSERT_TRUE(app::WriteConfigFile());
  ReadWithSpeed(ReadIni().substr(ReadIni().find("SPEED=") + 6, 2));
  EXPECT_FLOAT_EQ(gameState.speedFactor, 99.0f / 20.0f);
}

TEST_F(ConfigFile, UnwritableFileIsReportedAndTheOldOneKept) {
  fs::create_directories(dir / "zarn.ini");  // a folder where the file should be
  gameState.speedFactor = 2.0f;
  EXPECT_FALSE(app::WriteConfigFile());
  EXPECT_TRUE(fs::is_directory(dir / "zarn.ini"));
}

// An installed game (its folder not its to write: here one that does not
// exist, which even root cannot write) keeps its INI in the user's config
// folder and finds it there next time; a path longer than any fixed buffer
// still names the executable's own folder.
TEST_F(ConfigFile, InstalledGameUsesTheUserConfigFolderAndLongPathsStayWhole) {
  const fs::path home = dir / "config-home";
  const std::string configHome = std::getenv("XDG_CONFIG_HOME") ? std::getenv("XDG_CONFIG_HOME") : "";
  ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  platform::os::SetModuleFileNameOverride("/nonexistent-zarn-prefix/lib/zarn/zarn");
  EXPECT_EQ(app::ConfigFilePath(), (home / "zarn" / "zarn.ini").string());
  gameState.speedFactor = 2.0f;
  ASSERT_TRUE(app::WriteConfigFile());
  gameState = game::GameState{};
  app::ReadConfigFile();
  EXPECT_FLOAT_EQ(gameState.speedFactor, 2.0f) << "read back from the user's config folder";
  // No HOME to fall back on: refused, never aimed at the root.
  const std::string realHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::unsetenv("XDG_CONFIG_HOME");
  ::unsetenv("HOME");
  EXPECT_EQ(app::ConfigFilePath(), "");
  EXPECT_FALSE(app::WriteConfigFile());
  ::setenv("HOME", realHome.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);

  fs::path deep = dir;
  while (deep.string().size() < 400) deep /= "a-rather-long-folder-name";
  fs::create_directories(deep);
  platform::os::SetModuleFileNameOverride((deep / "zarn").string());
  EXPECT_EQ(app::ConfigFilePath(), (deep / "zarn.ini").string());
  ASSERT_TRUE(app::WriteConfigFile());
  EXPECT_TRUE(fs::exists(deep / "zarn.ini"));
}
