// Headless runs that play: the excavator driven off every table layout, and
// every joint worked against its limits.
#include <cmath>
#include <iterator>
#include <regex>

#include "e2e/zarn_run.h"

namespace {

using Vec = std::array<double, 3>;

// The numbers of `"name": [x, y, z]` inside the frame `frame` of a state dump.
Vec FrameVector(const std::string& state, const std::string& frame, const std::string& name) {
  std::smatch m;
  std::regex re("\"" + frame + "\": \\{[^}]*\"" + name + "\": \\[([^,]+), ([^,]+), ([^\\]]+)\\]");
  if (!std::regex_search(state, m, re)) return {NAN, NAN, NAN};
  return {std::stod(m[1]), std::stod(m[2]), std::stod(m[3])};
}

double Field(const std::string& state, const std::string& name) {
  std::smatch m;
  if (!std::regex_search(state, m, std::regex("\"" + name + "\": ([-0-9.e]+)"))) return NAN;
  return std::stod(m[1]);
}

double Dot(Vec a, Vec b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// up.y / up.z of a joint in its parent's coordinates: the limit ratio.
double LimitRatio(const std::string& state, const std::string& joint, const std::string& parent) {
  Vec up = FrameVector(state, joint, "up");
  Vec parentUp = FrameVector(state, parent, "up"), parentDir = FrameVector(state, parent, "direction");
  return Dot(up, parentUp) / Dot(up, parentDir);
}

class Play : public Run {
 protected:
  void SetUp() override {
    Run::SetUp();
    Write("zarn.ini", "[Zarn_Section]\nSPEED=100\n");
  }
  // Plays stage `stage` from its intro: Space, then `keys` held from turn 5.
  std::string Hold(int stage, const std::vector<std::string>& keys, int turns) {
    std::string script = "2 VK_SPACE down\n3 VK_SPACE up\n";
    for (const std::string& k : keys) script += "5 " + k + " down\n";
    Write("in.txt", script);
    std::string args = "--headless --warp " + std::to_string(stage) + " --turns " + std::to_string(turns) +
                       " --input '" + (dir / "in.txt").string() + "' --state '" + (dir / "s.json").string() + "'";
    EXPECT_EQ(Zarn(args, ZARN_RUN_DIR), 0) << errors;
    return Slurp(dir / "s.json");
  }
};

}  // namespace

TEST_F(Play, DrivingOffEveryTableFallsAndReturnsToTheTitle) {
  for (int stage : {1, 2, 3, 4}) {
    std::string early = Hold(stage, {"VK_TAB", "VK_UP"}, 60);
    EXPECT_EQ(Field(early, "fallPhase"), 2) << "stage " << stage << " is falling by turn 60";
    std::string late = Hold(stage, {"VK_TAB", "VK_UP"}, 260);
    EXPECT_GE(Field(late, "titlePhase"), 1) << "stage " << stage << ": back on the title";
    EXPECT_EQ(Field(late, "fallPhase"), 0) << "stage " << stage;
    EXPECT_EQ(Field(late, "elapsedSeconds"), 0) << "stage " << stage;
  }
}

TEST_F(Play, EveryJointStopsAtItsLimits) {
  struct Case {
    std::vector<std::string> keys;
    std::string joint, parent;
    double low, high;  // where the joint must end up: its limit window, give or take a step
  };
  const Case cases[] = {
      {{"VK_CONTROL", "VK_DOWN"}, "arm1Frame", "bodyFrame", 0.6, 1.0},
      {{"VK_CONTROL", "VK_UP"}, "arm1Frame", "bodyFrame", -0.4, 0.0},
      {{"VK_SHIFT", "VK_UP"}, "arm2Frame", "arm1Frame", 0.6, 1.0},
      {{"VK_SHIFT", "VK_DOWN"}, "arm2Frame", "arm1Frame", -0.2, 0.2},
      {{"VK_CONTROL", "VK_RIGHT"}, "bucketFrame", "arm2Frame", 0.6, 1.1},
      {{"VK_CONTROL", "VK_LEFT"}, "bucketFrame", "arm2Frame", 0.6, 1.1},
  };
  for (const Case& c : cases) {
    std::string state = Hold(4, c.keys, 300);
    double r = LimitRatio(state, c.joint, c.parent);
    EXPECT_GT(r, c.low) << c.keys[0] << "+" << c.keys[1];
    EXPECT_LT(r, c.high) << c.keys[0] << "+" << c.keys[1];
    EXPECT_EQ(Field(state, "fallPhase"), 0);
  }
}

TEST_F(Play, ASpeedFarAboveFiveNeverGivesBrokenPoses) {
  Write("zarn.ini", "[Zarn_Section]\nSPEED=400\n");  // 20.0, used as it is
  for (const char* keys : {"VK_CONTROL VK_DOWN", "VK_SHIFT VK_UP", "VK_CONTROL VK_LEFT", "VK_SHIFT VK_LEFT"}) {
    std::istringstream words(keys);
    std::vector<std::string> held{std::istream_iterator<std::string>(words), {}};
    std::string state = Hold(4, held, 200);
    for (const char* frame : {"baseFrame", "bodyFrame", "arm1Frame", "arm2Frame", "bucketFrame"})
      for (const char* what : {"position", "direction", "up"})
        for (double v : FrameVector(state, frame, what)) EXPECT_TRUE(std::isfinite(v)) << keys << " " << frame;
    EXPECT_EQ(Field(state, "speedFactor"), 20);
  }
}
