// Runs of the built program: exit codes, files, determinism, bad input.
#include "e2e/zarn_run.h"

TEST_F(Run, HeadlessRunEndsInOrderAndWritesTheIniBesideTheExecutable) {
  ASSERT_EQ(Zarn("--headless --turns 120 --state s.json"), 0) << errors;
  std::string ini = Slurp(dir / "zarn.ini");
  EXPECT_NE(ini.find("[Zarn_Section]"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Key_[4]=-1"), std::string::npos) << ini;
  std::string state = Slurp(dir / "s.json");
  EXPECT_NE(state.find("\"titlePhase\": 1"), std::string::npos);
  EXPECT_NE(state.find("\"calibrationPhase\": 2"), std::string::npos) << "no speed: calibrating";
  EXPECT_NE(state.find("\"buttonAssign\": [-1, -1, -1, -1, -1, -1, -1, -1]"), std::string::npos);
}

TEST_F(Run, CalibrationAtSixtyTurnsASecondStoresSpeedHundred) {
  Write("zarn.ini", "[Zarn_Section]\r\nKey_[2]=3\r\n");
  ASSERT_EQ(Zarn("--headless --fps 60 --turns 400"), 0) << errors;
  std::string ini = Slurp(dir / "zarn.ini");
  EXPECT_NE(ini.find("SPEED=100"), std::string::npos) << ini;
  EXPECT_NE(ini.find("Key_[2]=3"), std::string::npos) << ini;
}

// Numbers that name no button are kept as read: the player changed nothing,
// so the file must come back byte for byte.
TEST_F(Run, StoredButtonNumbersSurviveARunByteForByte) {
  const std::string ini = "[Zarn_Section]\r\nSPEED=40\r\nKey_[1]=99\r\nKey_[2]=32\r\nKey_[3]=-2\r\nKey_[4]=31\r\n";
  Write("zarn.ini", ini);
  ASSERT_EQ(Zarn("--headless --turns 30 --state s.json"), 0) << errors;
  EXPECT_EQ(Slurp(dir / "zarn.ini"), ini);
  EXPECT_NE(Slurp(dir / "s.json").find("\"buttonAssign\": [99, 32, -2, 31, -1,"), std::string::npos);
}

TEST_F(Run, SameArgumentsAndInputGiveTheSameState) {
  Write("zarn.ini", "[Zarn_Section]\nSPEED=40\n");
  Write("in.txt", "3 VK_F1 down\n40 VK_F1 up\n50 K down\n");
  std::string args = "--headless --mode 5 --turns 90 --input in.txt --state ";
  ASSERT_EQ(Zarn(args + "a.json"), 0) << errors;
  Write("zarn.ini", "[Zarn_Section]\nSPEED=40\n");
  ASSERT_EQ(Zarn(args + "b.json"), 0) << errors;
  std::string a = Slurp(dir / "a.json");
  EXPECT_EQ(a, Slurp(dir / "b.json"));
  EXPECT_NE(a.find("\"renderQualityIndex\": 3"), std::string::npos) << a;  // F1 held ~0.6 s
  EXPECT_NE(a.find("\"displayWidth\": 1024"), std::string::npos);
  EXPECT_NE(a.find("\"speedFactor\": 2"), std::string::npos);
}

TEST_F(Run, BadArgumentsAndInputsAreRefusedWithOneLine) {
  Write("bad.txt", "1 VK_SPACE down\n2 VK_WHAT up\n");
  const char* cases[] = {"--bogus",
                         "--mode 15",
                         "--mode",
                         "--fps 0",
                         "--turns -3",
                         "--headless --input missing.txt",
                         "--headless --input bad.txt"};
  for (const char* args : cases) {
    EXPECT_EQ(Zarn(args), 2) << args;
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1) << args << ": " << errors;
  }
  EXPECT_NE(errors.find("line 2"), std::string::npos) << errors;
  EXPECT_FALSE(fs::exists(dir / "zarn.ini")) << "a refused run writes nothing";
  EXPECT_EQ(Zarn("--help"), 0);
  EXPECT_EQ(Zarn("--version"), 0);
}

TEST_F(Run, UnwritableConfigurationIsReportedAndTheRunStillEnds) {
  fs::create_directories(dir / "zarn.ini");
  ASSERT_EQ(Zarn("--headless --turns 5 --debug"), 0);
  EXPECT_NE(errors.find("cannot write the configuration file"), std::string::npos) << errors;
}

TEST_F(Run, GarbageConfigurationIsReadLikeWindowsWould) {
  std::string junk(200000, 'x');
  junk += std::string("\n[Zarn_Section]\nSPEED=\"60\"\n\0\1\2\nSPEED=80\nKey_[1]=", 48);
  junk += std::string(5000, '7');
  Write("zarn.ini", junk);
  ASSERT_EQ(Zarn("--headless --turns 2 --state s.json"), 0) << errors;
  std::string state = Slurp(dir / "s.json");
  EXPECT_NE(state.find("\"speedFactor\": 3"), std::string::npos) << state;  // first key, quotes removed
  EXPECT_NE(state.find("\"buttonAssign\": [2147483647,"), std::string::npos) << "huge numbers saturate";
}

TEST_F(Run, LiveBackendStartsOnADummyDisplayWithoutTheDialog) {
  Write("zarn.ini", "[Zarn_Section]\nSPEED=100\n");
  ASSERT_EQ(Zarn("--mode 2 --windowed --turns 3 --state s.json"), 0) << errors;
  EXPECT_NE(Slurp(dir / "s.json").find("\"windowedMode\": 1"), std::string::npos);
}

TEST_F(Run, WithoutADisplayTheGameSaysSoInOneLineAndEnds) {
  for (const char* env : {"env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER",
                          "env -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER DISPLAY=:9873"}) {
    environment = env;
    EXPECT_EQ(Zarn("--mode 0 --windowed --turns 5"), 1) << env;
    EXPECT_EQ(errors, "zarn: no display (use --headless to run without a display)\n") << env;
  }
  EXPECT_FALSE(fs::exists(dir / "zarn.ini")) << "nothing ran";
}

// One mode of each depth, the largest size among them: within a depth the
// modes differ only in size.
TEST_F(Run, EveryDepthStartsHeadlessAndInAWindow) {
  Write("zarn.ini", "[Zarn_Section]\nSPEED=60\n");
  for (int mode : {0, 5, 13}) {
    for (const char* how : {"--headless --fullscreen", "--headless --windowed", "--windowed"}) {
      std::string args = std::string(how) + " --mode " + std::to_string(mode) + " --turns 2 --screenshot s.png";
      ASSERT_EQ(Zarn(args), 0) << args << ": " << errors;
      EXPECT_TRUE(fs::exists(dir / "s.png")) << args;
      fs::remove(dir / "s.png");
    }
  }
}

TEST_F(Run, TheJoystickSwitchAttachesTheScriptedStick) {
  Write("zarn.ini", "[Zarn_Section]\nSPEED=60\n");
  ASSERT_EQ(Zarn("--headless --turns 2 --state a.json"), 0) << errors;
  EXPECT_NE(Slurp(dir / "a.json").find("\"joystickAvailable\": 0"), std::string::npos);
  ASSERT_EQ(Zarn("--headless --joystick --turns 2 --state b.json"), 0) << errors;
  EXPECT_NE(Slurp(dir / "b.json").find("\"joystickAvailable\": 1"), std::string::npos);
}
