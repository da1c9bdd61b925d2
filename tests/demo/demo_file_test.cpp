#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "demo/demo.h"
#include "demo/demo_file_reader.h"
#include "demo/demo_file_writer.h"
#include "demo/demo_record.h"
#include "platform/os/debug_output.h"
#include "platform/os/module_path.h"
#include "support/fresh_state.h"
#include "support/scratch.h"

namespace fs = std::filesystem;
using demo::DemoReadError;
using game::gameState;
using game::Ingredient;

namespace {

// A demo file's text with `samples` samples whose values are their place in
// the file (line - 94) scaled, so any shift shows.
std::string DemoText(int stage, int count, int samples, const char* end = "\r\n") {
  std::ostringstream s;
  s << stage << end << count << end << 1 << end << 0 << end;
  for (int i = 0; i < demo::kPropValues; ++i) s << i * 0.5f << end;
  for (int i = 0; i < samples * demo::kChannels; ++i) s << (i + 1) * 0.25f << end;
  return s.str();
}

demo::DemoReadResult Read(const std::string& text) {
  std::istringstream in(text);
  return demo::ReadDemo(in);
}

class DemoFile : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::FreshState();
    ClearDemo();
    dir = test_support::ScratchFolder(std::string("demo-") +
                                      ::testing::UnitTest::GetInstance()->current_test_info()->name());
    platform::os::SetModuleFileNameOverride((dir / "zarn").string());
  }
  static void ClearDemo() {
    for (auto& channel : demo::demoChannels) channel.fill(0);
    demo::demoPropPoses.fill(0);
  }
  void TearDown() override {
    platform::os::SetModuleFileNameOverride("");
    fs::remove_all(dir);
  }
  fs::path dir;
};

}  // namespace

TEST_F(DemoFile, TwentyFiveSamplesMake94Plus2700CrLfLines) {
  gameState.stageNumber = 2;
  gameState.recordCount = 25;
  gameState.orderGlass[Ingredient::Milk] = 100;
  demo::demoChannels[107][25] = 1.234567e-5f;
  std::ostringstream out;
  ASSERT_TRUE(demo::WriteDemo(out));
  std::string text = out.str();
  std::size_t lines = 0, crlf = 0;
  for (std::size_t i = 0; i < text.size(); ++i)
    if (text[i] == '\n') ++lines, crlf += i > 0 && text[i - 1] == '\r';
  EXPECT_EQ(lines, 94u + 2700u);
  EXPECT_EQ(crlf, lines);
  EXPECT_EQ(text.substr(0, 13), "2\r\n25\r\n1\r\n0\r\n");
  EXPECT_EQ(text.substr(text.size() - 16), "\r\n1.23457e-005\r\n");
  EXPECT_EQ(gameState.demoMilkOrdered, 1);
  EXPECT_EQ(gameState.demoSugarOrdered, 0);
}

TEST_F(DemoFile, RoundTripKeepsEveryValueToSixDigits) {
  gameState.stageNumber = 5;
  gameState.recordCount = 3;
  gameState.orderCup[Ingredient::Sugar] = 50;
  for (int c = 0; c < demo::kChannels; ++c)
    for (int s = 1; s <= 3; ++s) demo::demoChannels[c][s] = (c - 50) * 1.37e-3f * s * (c % 7 ? 1 : 1e7f);
  for (int i = 0; i < demo::kPropValues; ++i) demo::demoPropPoses[i] = -i / 3.0f;
  auto saved =
      std::make_unique<std::array<demo::Channel, demo::kChannels>>(demo::demoChannels);  // too large for the stack
  auto savedProps = demo::demoPropPoses;
  ASSERT_TRUE(demo::SaveDemo().Ok());
  EXPECT_TRUE(fs::exists(dir / "demo.dat")) << "beside the executable";

  ClearDemo();
  gameState = game::GameState{};
  ASSERT_TRUE(demo::LoadDemo());
  EXPECT_EQ(gameState.demoStage, 5);
  EXPECT_EQ(gameState.recordCount, 3);
  EXPECT_EQ(gameState.demoMilkOrdered, 0);
  EXPECT_EQ(gameState.demoSugarOrdered, 1);
  for (int c = 0; c < demo::kChannels; ++c)
    for (int s = 1; s <= 3; ++s)
      ASSERT_EQ(demo::FormatDemoFloat(demo::demoChannels[c][s]), demo::FormatDemoFloat((*saved)[c][s]))
          << c << " " << s;
  for (int i = 0; i < demo::kPropValues; ++i)
    EXPECT_EQ(demo::FormatDemoFloat(demo::demoPropPoses[i]), demo::FormatDemoFloat(savedProps[i]));
}

TEST_F(DemoFile, MissingCutOffAndUnwritableFiles) {
  EXPECT_FALSE(demo::LoadDemo());
  std::ofstream(dir / "demo.dat", std::ios::binary) << DemoText(2, 40, 39);
  gameState.recordCount = 7;
  platform::os::CaptureDebugOutput(true);
  platform::os::ClearCapturedDebugOutput();
  EXPECT_FALSE(demo::LoadDemo());
  platform::os::CaptureDebugOutput(false);
  EXPECT_EQ(gameState.recordCount, 7);
  ASSERT_FALSE(platform::os::CapturedDebugOutput().empty());
  EXPECT_NE(platform::os::CapturedDebugOutput().back().find("ends before its samples do"), std::string::npos);
  fs::remove(dir / "demo.dat");

  fs::create_directory(dir / "demo.dat");  // cannot be opened as a file
  gameState.recordCount = 2;
  EXPECT_FALSE(demo::SaveDemo().Ok());
  EXPECT_TRUE(fs::is_empty(dir / "demo.dat"));
}

TEST_F(DemoFile, RefusesFilesCutShortOrHoldingNoNumbersWhereValuesAreDue) {
  std::string good = DemoText(1, 2, 2);
  struct Case {
    std::string text;
    DemoReadError error;
    int line;
  };
  std::string longWord(1 << 20, '7');
  const Case cases[] = {
      {"", DemoReadError::EndsEarly, 1},
      {DemoText(1, 19999, 0), DemoReadError::CountOutOfRange, 2},
      {DemoText(1, 2147483647, 0), DemoReadError::CountOutOfRange, 2},
      {"1\r\n99999999999\r\n", DemoReadError::NotANumber, 2},
      {DemoText(0, 0, 0), DemoReadError::StageOutOfRange, 1},
      {DemoText(6, 0, 0), DemoReadError::StageOutOfRange, 1},
      {"1.5\n0\n", DemoReadError::NotANumber, 1},
      {DemoText(1, 3, 2), DemoReadError::EndsEarly, 94 + 216 + 1},
      {good.substr(0, good.size() / 2), DemoReadError::EndsEarly, 0},
      {"1\n0\n0\n0\n" + longWord, DemoReadError::NotANumber, 5},
      {std::string("1\n0\n0\n0\n\0\x01\xff", 11), DemoReadError::NotANumber, 5},
  };
  for (const Case& c : cases) {
    auto r = Read(c.text);
    EXPECT_EQ(r.error, c.error) << demo::DescribeDemoRead(r) << " for " << c.text.substr(0, 20);
    if (c.line) {
      EXPECT_EQ(r.line, c.line) << c.text.substr(0, 20);
    }
  }
  for (const char* word : {"nan", "inf", "-1e39", "0x", "1e", "--1", "1,5"}) {
    std::string bad = good;
    bad.replace(bad.find("\r\n0.5\r\n"), 7, std::string("\r\n") + word + "\r\n");
    EXPECT_EQ(Read(bad).error, DemoReadError::NotANumber) << word;
  }
  EXPECT_EQ(gameState.recordCount, 0) << "a refused file changes nothing";
  EXPECT_EQ(gameState.demoMilkOrdered, 0);
  EXPECT_EQ(demo::demoPropPoses[1], 0.0f);
  EXPECT_EQ(demo::demoChannels[0][1], 0.0f);
  ASSERT_TRUE(Read(good).Ok());
  EXPECT_EQ(gameState.recordCount, 2);
}

// Exactly the N samples the count gives are read, whatever follows them; a
// count below zero reads none, and any flag but 0 means the order wanted it.
TEST_F(DemoFile, ReadsTheSamplesItsCountGivesAndIgnoresTheRest) {
  ASSERT_TRUE(Read(DemoText(4, 1, 2) + "and then some words\r\n").Ok());
  EXPECT_EQ(gameState.demoStage, 4);
  EXPECT_EQ(gameState.recordCount, 1);
  EXPECT_EQ(demo::demoChannels[107][1], 108 * 0.25f);
  EXPECT_EQ(demo::demoChannels[0][2], 0.0f) << "the second sample is not read";

  ASSERT_TRUE(Read("2\n-3\n2\n-1\n" + DemoText(1, 0, 1).substr(12)).Ok());
  EXPECT_EQ(gameState.recordCount, -3);
  EXPECT_EQ(gameState.demoMilkOrdered, 2);
  EXPECT_EQ(gameState.demoSugarOrdered, -1);
  EXPECT_EQ(demo::demoChannels[107][1], 108 * 0.25f) << "no sample read";
}
