// Files and arguments a careless or hostile user may hand the program: each
// gets a clear word naming the file and the right exit status, and nothing
// the user owns is damaged.
#include <sys/stat.h>

#include "e2e/zarn_run.h"

namespace {

class HostileFiles : public Run {};

// Long enough for the title to idle into its attract demo.
constexpr const char* kPastTheAttractDemo = "--headless --turns 1800";

int Lines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

TEST_F(HostileFiles, InputsThatAreNotScriptFilesAreRefusedBeforeTheRun) {
  fs::create_directory(dir / "folder");
  const char* cases[] = {"--headless --input folder", "--headless --input /dev/zero", "--headless --input --turns 5",
                         "--headless --state --save-demo"};
  for (const char* args : cases) {
    EXPECT_EQ(Zarn(args), 2) << args;
    EXPECT_EQ(Lines(errors), 1) << args << ": " << errors;
  }
  Zarn("--headless --input folder");
  EXPECT_NE(errors.find("folder: is a folder"), std::string::npos) << errors;
  Zarn("--headless --input /dev/zero");
  EXPECT_NE(errors.find("/dev/zero: is a device"), std::string::npos) << errors;
  Zarn("--headless --input --turns 5");
  EXPECT_NE(errors.find("--input needs a file name, not the option --turns"), std::string::npos) << errors;
}

TEST_F(HostileFiles, OutputsThatCannotBeWrittenFailTheRunAndSpareWhatWasThere) {
  Write("kept.json", "mine");
  ::chmod((dir / "kept.json").c_str(), 0444);
  fs::create_directory(dir / "demo.dat");
  EXPECT_EQ(Zarn("--headless --turns 3 --state kept.json --screenshot no/such/folder.png --save-demo"), 73);
  EXPECT_NE(errors.find("kept.json: the file is read-only"), std::string::npos) << errors;
  EXPECT_NE(errors.find("no/such/folder.png"), std::string::npos) << errors;
  EXPECT_NE(errors.find("demo.dat: is a folder"), std::string::npos) << errors;
  EXPECT_EQ(Slurp(dir / "kept.json"), "mine");
  EXPECT_TRUE(fs::is_directory(dir / "demo.dat"));

  ::chmod((dir / "kept.json").c_str(), 0644);
  ASSERT_EQ(Zarn("--headless --turns 3 --state kept.json --screenshot shot.png"), 0) << errors;
  EXPECT_NE(Slurp(dir / "kept.json").find("\"gameState\""), std::string::npos);
  EXPECT_EQ(Slurp(dir / "shot.png").substr(1, 3), "PNG");
}

TEST_F(HostileFiles, ReadOnlyConfigurationIsReadAndNeverReplaced) {
  const std::string ini = "[Zarn_Section]\nSPEED=40\n";
  Write("zarn.ini", ini);
  ::chmod((dir / "zarn.ini").c_str(), 0444);
  ASSERT_EQ(Zarn("--headless --turns 3 --state s.json"), 0) << "the configuration is no requested output";
  EXPECT_NE(Slurp(dir / "s.json").find("\"speedFactor\": 2"), std::string::npos) << "read";
  EXPECT_EQ(Slurp(dir / "zarn.ini"), ini);
  EXPECT_EQ(fs::status(dir / "zarn.ini").permissions(), fs::perms(0444));
  EXPECT_NE(errors.find("the settings were not saved"), std::string::npos) << errors;
  EXPECT_NE(errors.find("read-only"), std::string::npos) << errors;
}

TEST_F(HostileFiles, DemoFileThatCannotBePlayedIsNamedOnceAndTheTitleGoesOn) {
  Write("zarn.ini", "[Zarn_Section]\nSPEED=100\n");
  ASSERT_EQ(Zarn("--headless --turns 2 --save-demo"), 0) << errors;
  // A stage the title never shows by itself tells when the demo was read.
  std::string good = Slurp(dir / "demo.dat");
  good[0] = '3';
  Write("demo.dat", good);
  ASSERT_EQ(Zarn(std::string(kPastTheAttractDemo) + " --state s.json"), 0) << errors;
  ASSERT_NE(Slurp(dir / "s.json").find("\"demoStage\": 3"), std::string::npos) << "the run reaches the demo";

  struct Case {
    const char* why;
    std::function<void()> make;
  };
  const Case cases[] = {
      {"the file ends before its samples do",
       [&] { Write("demo.dat", good.substr(0, good.rfind("\r\n", good.size() - 3) + 2)); }},
      {"is a folder", [&] { fs::create_directory(dir / "demo.dat"); }},
      {"is a pipe", [&] { ASSERT_EQ(::mkfifo((dir / "demo.dat").c_str(), 0600), 0); }},
  };
  for (const Case& c : cases) {
    fs::remove_all(dir / "demo.dat");
    c.make();
    ASSERT_EQ(Zarn(std::string(kPastTheAttractDemo) + " --state s.json"), 0) << c.why << ": " << errors;
    EXPECT_NE(errors.find("demo.dat: "), std::string::npos) << errors;
    EXPECT_NE(errors.find(c.why), std::string::npos) << errors;
    EXPECT_EQ(errors.find("demo.dat: "), errors.rfind("demo.dat: "))
        << "said once, though the title retries: " << errors;
    EXPECT_NE(Slurp(dir / "s.json").find("\"demoStage\": 1"), std::string::npos) << c.why;
  }
}

TEST_F(HostileFiles, AHeadlessRunReadsNoSoundFont) {
  // Nothing is heard without a sound device: no font is loaded (the debug
  // output would name it), not even looked at, so a damaged one is not named.
  Write("cut.sf2", "RIFF\xff\xff\xff\x7fsfbkLIST");
  ASSERT_EQ(Zarn("--headless --turns 3 --debug --soundfont cut.sf2"), 0) << errors;
  EXPECT_EQ(errors.find(".sf2"), std::string::npos) << errors;
}

TEST_F(HostileFiles, StartedAwayFromItsDataTheGameSaysWhereToStartIt) {
  ASSERT_EQ(Zarn("--headless --turns 2"), 0) << errors;  // the test folder holds no models
  EXPECT_NE(errors.find("no model files in this folder; start the game from its own"), std::string::npos) << errors;
  ASSERT_EQ(Zarn("--headless --turns 2", ZARN_RUN_DIR), 0);
  EXPECT_EQ(errors.find("no model files"), std::string::npos) << errors;
}

}  // namespace
