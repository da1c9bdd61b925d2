// Golden runs: pictures of each screen at 800x600x16 (play also at 8 and 24
// bits, each depth its own render path, and at 1920x1080x24) and the trail of
// the autopilot winning a whole game, compared with the copies in
// tests/golden (pictures by their decoded pixels). A change of the game's
// behaviour or of its pictures shows here; when it is meant,
// scripts/update-golden writes the copies anew (ZARN_UPDATE_GOLDEN=1).
#include <cstdlib>
#include <map>

#include "e2e/picture_hash.h"
#include "e2e/zarn_run.h"

namespace {

const fs::path kGolden = fs::path(ZARN_SOURCE_DIR) / "tests" / "golden";

bool Updating() { return std::getenv("ZARN_UPDATE_GOLDEN") != nullptr; }

class Golden : public Run {
 protected:
  void SetUp() override {
    Run::SetUp();
    Write("zarn.ini", "[Zarn_Section]\nSPEED=100\n");
  }
  int Play(const std::string& args) { return Zarn("--headless " + args, ZARN_RUN_DIR); }
  // A screen's line of pictures.txt: its name, its picture's size and format
  // and the hash of its pixels.
  std::string PictureLine(const std::string& name, const std::string& args) {
    const fs::path png = dir / (name + ".png");
    EXPECT_EQ(Play(args + " --screenshot '" + png.string() + "'"), 0) << name << ": " << errors;
    return name + " " + PictureHash(png) + "\n";
  }
  // The pictures of play drawn another way (`args` added) match the golden ones.
  void ExpectPlayAsBefore(const std::string& args);
};

// Each screen at a turn where it shows.
const std::map<std::string, std::string> kScreens = {
    {"title", "--mode 0 --turns 200"},
    {"intro", "--mode 0 --warp 1 --turns 60"},
    {"playing", "--mode 0 --autopilot --warp 1 --turns 200"},
    {"playing-8bit", "--mode 1 --autopilot --warp 1 --turns 200"},
    {"playing-24bit", "--mode 2 --autopilot --warp 1 --turns 200"},
    {"playing-1080p", "--mode 14 --autopilot --warp 1 --turns 200"},  // large pictures are drawn in bands
    {"result", "--mode 0 --autopilot --warp 1 --turns 560"},
    {"replay", "--mode 0 --autopilot --autopilot-route replay --warp 1 --turns 970"},
    {"attract-demo", "--mode 0 --playdemo demo.dat --turns 100"},
};

}  // namespace

TEST_F(Golden, EveryScreenLooksAsBefore) {
  std::string list;
  for (const auto& [name, args] : kScreens) list += PictureLine(name, args);
  const fs::path file = kGolden / "pictures.txt";
  if (Updating()) {
    std::ofstream(file, std::ios::binary) << list;
    return;
  }
  EXPECT_EQ(list, Slurp(file)) << "a screen looks different; if that is meant, run scripts/update-golden";
}

void Golden::ExpectPlayAsBefore(const std::string& args) {
  const std::string golden = Slurp(kGolden / "pictures.txt");
  for (const auto& [name, screenArgs] : kScreens) {
    if (name.rfind("playing", 0) != 0) continue;
    EXPECT_NE(golden.find(PictureLine(name, screenArgs + args)), std::string::npos) << name << args;
  }
}

// Without AVX2 the spans and row walks take their SSE2 paths, and without
// AVX-512 their AVX2 ones: the same pictures of play, at every depth. (On a
// processor without AVX-512 the second is the first golden run again.)
TEST_F(Golden, PlayLooksTheSameWithoutAvx2) {
  ::setenv("ZARN_NO_AVX2", "1", 1);
  ExpectPlayAsBefore("");
  ::unsetenv("ZARN_NO_AVX2");
}

TEST_F(Golden, PlayLooksTheSameWithoutAvx512) {
  ::setenv("ZARN_NO_AVX512", "1", 1);
  ExpectPlayAsBefore("");
  ::unsetenv("ZARN_NO_AVX512");
}

// The golden pictures are drawn on one thread (headless runs' default);
// three threads share each picture's bands (more than this machine may
// have: the split is the program's, whatever the cores) and draw the same.
TEST_F(Golden, PlayLooksTheSameOnSeveralThreads) { ExpectPlayAsBefore(" --threads 3"); }

// A whole game on the result route, won with the best verdict each stage;
// every tenth turn of its trail is kept (scripts/trail-diff finds the exact
// turn between two runs).
TEST_F(Golden, TheAutopilotPlaysAWholeGameAsBefore) {
  const fs::path trail = dir / "run.trail", state = dir / "run.json";
  ASSERT_EQ(Play("--mode 0 --autopilot --seed 1 --autopilot-route result --state '" + state.string() + "' --trail '" +
                 trail.string() + "'"),
            0)
      << errors;
  const std::string json = Slurp(state);
  EXPECT_EQ(StagesWonBest(json, "[125]"), 3) << json;
  EXPECT_NE(json.find("\"allClearedSeen\": true"), std::string::npos);

  std::istringstream lines(Slurp(trail));
  std::string line, now;
  std::getline(lines, line);  // the first line names the command line
  while (std::getline(lines, line))
    if (std::stol(line.substr(0, line.find(' '))) % 10 == 0) now += line + "\n";
  const fs::path file = kGolden / "autopilot-whole-game.trail";
  if (Updating()) {
    std::ofstream(file, std::ios::binary) << now;
    return;
  }
  const std::string before = Slurp(file);
  if (now == before) return;
  // Where the runs parted: the first line that differs.
  std::istringstream a(now), b(before);
  std::string la, lb;
  while (std::getline(a, la) && std::getline(b, lb) && la == lb) {}
  ADD_FAILURE() << "the game plays differently by turn " << la.substr(0, la.find(' '))
                << "; if that is meant, run scripts/update-golden";
}
