// Runs the built program the way a script or a player does, each run from a
// private copy of the executable so that its INI file is its own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class Run : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("zarn-e2e-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
    fs::copy_file(ZARN_EXE, dir / "zarn");
  }
  void TearDown() override { fs::remove_all(dir); }

  // Runs the copy in its folder; returns the exit code, stderr in `errors`.
  int Zarn(const std::string& args) {
    std::string cmd = "cd '" + dir.string() + "' && SDL_VIDEODRIVER=dummy ./zarn " + args + " > stdout.txt 2> stderr.txt";
    int status = std::system(cmd.c_str());
    errors = Slurp(dir / "stderr.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  void Write(const std::string& name, const std::string& text) { std::ofstream(dir / name, std::ios::binary) << text; }

  fs::path dir;
  std::string errors;
};

}  // namespace

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

TEST_F(Run, EscapeInTheScriptEndsTheRun) {
  Write("in.txt", "5 VK_ESCAPE down\n");
  ASSERT_EQ(Zarn("--headless --input in.txt --state s.json"), 0) << errors;
  EXPECT_TRUE(fs::exists(dir / "s.json"));
}

TEST_F(Run, BadArgumentsAndInputsAreRefusedWithOneLine) {
  Write("bad.txt", "1 VK_SPACE down\n2 VK_WHAT up\n");
  const char* cases[] = {"--bogus", "--mode 15", "--mode", "--fps 0", "--turns -3",
                         "--headless --input missing.txt", "--headless --input bad.txt"};
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
  EXPECT_NE(state.find("\"buttonAssign\": [-1,"), std::string::npos) << "huge numbers mean no button";
}

TEST_F(Run, LiveBackendStartsOnADummyDisplayWithoutTheDialog) {
  Write("zarn.ini", "[Zarn_Section]\nSPEED=100\n");
  ASSERT_EQ(Zarn("--mode 2 --windowed --turns 3 --state s.json"), 0) << errors;
  EXPECT_NE(Slurp(dir / "s.json").find("\"windowedMode\": 1"), std::string::npos);
}
