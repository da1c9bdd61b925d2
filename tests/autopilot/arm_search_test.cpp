// The arm's searches on made-up conditions: the best pose on the lattice
// the keys reach, and the widest way through poses that must be passed.
#include <gtest/gtest.h>

#include <cmath>

#include "autopilot/arm_path.h"
#include "autopilot/pose_search.h"

using namespace autopilot;

namespace {

constexpr double kPace = 1.0;

}  // namespace

// The grid is every fourth bucket step and every second boom or arm step
// from the present pose, inside the joints' ranges: the arm can stand
// exactly on the pose found.
TEST(PoseSearch, FindsTheBestPoseOnTheKeysLatticeInsideTheRanges) {
  const Joints from{0.013, -0.2, 0.1};
  const Joints target{0.5, 0.11, -3.0};  // the bucket's beyond its range
  auto near = [&](const Joints& j) {
    return -(std::abs(j.boom - target.boom) + std::abs(j.arm - target.arm) + std::abs(j.bucket - target.bucket));
  };
  auto best = BestPose([](const Joints& j) { return j.boom <= 0.45; }, near, from, kPace);
  ASSERT_TRUE(best);
  EXPECT_NEAR(best->boom, 0.013 + 10 * 0.04, 1e-9);  // 0.453 would fail the test
  EXPECT_NEAR(best->arm, -0.2 + 8 * 0.04, 1e-9);
  EXPECT_NEAR(best->bucket, 0.1 - 56 * 0.04, 1e-9);  // the lowest inside -2.15

  EXPECT_FALSE(BestPose([](const Joints& j) { return j.boom > 0.8; }, near, from, kPace)) << "beyond the boom's range";
}

namespace {

// A made-up pot wall: with the boom between 0.2 and 0.5 the arm must be
// raised above 0.3; a bucket tilted below -0.6 while the boom is under 0.6
// spills most of the load. The way out is to the boom above 0.6.
bool Passable(const Joints& j) { return j.boom < 0.2 || j.boom > 0.5 || j.arm > 0.3; }
double Kept(const Joints& j) { return j.bucket < -0.6 && j.boom < 0.6 ? 40 : 300; }
bool Out(const Joints& j) { return j.boom > 0.6; }

// The poses a path's moves reach, each held `repeat` turns.
std::vector<Joints> Replay(const Joints& from, const ArmPath& path) {
  std::vector<Joints> poses;
  Joints j = from;
  for (int id : path.moves) {
    for (int i = 0; i < path.repeat; ++i) j = After(j, ArmMoves()[id], kPace);
    poses.push_back(j);
  }
  return poses;
}

}  // namespace

TEST(ArmPath, TakesTheWidestWayRoundTheWallAndKeepsTheLoad) {
  const Joints level{0.0, 0.0, -0.2};
  auto spillsAtTheStart = [&](const Joints& j) { return j.boom == level.boom && j.arm == level.arm ? 40.0 : Kept(j); };
  auto path = PlanArmPath(level, kPace, Passable, Out, spillsAtTheStart);
  ASSERT_TRUE(path);
  EXPECT_EQ(path->repeat, 4) << "a bucket step of 0.01 held until it makes 0.04";
  EXPECT_DOUBLE_EQ(path->held, 40) << "the start counts too";

  path = PlanArmPath(level, kPace, Passable, Out, Kept);
  ASSERT_TRUE(path);
  EXPECT_DOUBLE_EQ(path->held, 300);
  const std::vector<Joints> poses = Replay(level, *path);
  ASSERT_EQ(poses.size(), path->poses.size());
  for (std::size_t i = 0; i < poses.size(); ++i) {
    EXPECT_NEAR(poses[i].boom, path->poses[i].boom, 1e-9);
    EXPECT_NEAR(poses[i].arm, path->poses[i].arm, 1e-9);
    EXPECT_NEAR(poses[i].bucket, path->poses[i].bucket, 1e-9);
    EXPECT_TRUE(Passable(poses[i])) << "move " << i;
    EXPECT_EQ(Kept(poses[i]), 300) << "move " << i;
  }
  EXPECT_TRUE(Out(poses.back()));
  EXPECT_FALSE(Out(poses[poses.size() - 2])) << "it stops at the first pose out";
  // The fewest: 8 boom moves of 0.08 to 0.64, and 4 arm moves over the
  // wall (no key raises both).
  EXPECT_EQ(path->moves.size(), 12u);

  path = PlanArmPath({0.7, 0, 0}, kPace, Passable, Out, Kept);
  ASSERT_TRUE(path);
  EXPECT_TRUE(path->moves.empty()) << "already out";

  EXPECT_FALSE(PlanArmPath(
      level, kPace, [](const Joints& j) { return j.boom < 0.3; }, Out, Kept))
      << "walled in";
}
