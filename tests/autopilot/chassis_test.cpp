// The chassis on a made-up table: a route around a dish, driven with the
// keys the driver picks, then the approach to a pot beyond the edge.
#include <gtest/gtest.h>

#include <cmath>

#include "autopilot/chassis_driver.h"
#include "core/game_state.h"

using namespace autopilot;

namespace {

const Area kTable{0, 0, 100.5, 60};  // off the route grid of whole units
const Area kDish{40, 20, 55, 40};

// What one turn of the keys does to the chassis, as the game moves it:
// Tab+Up/Down drive a step along the facing, Tab+Right turns it the way
// TurnAngle counts positive.
void Apply(const Keys& k, Stance& s) {
  ASSERT_TRUE(k.tab) << "only chassis keys here";
  if (k.up != k.down) s.chassis = s.chassis + s.facing * (k.up ? DriveStep() : -DriveStep());
  if (k.left != k.right) {
    const double a = k.right ? TurnStep() : -TurnStep();
    s.facing = {s.facing.x * std::cos(a) + s.facing.z * std::sin(a),
                -s.facing.x * std::sin(a) + s.facing.z * std::cos(a)};
  }
  s.bodyFacing = s.facing;
}

class Chassis : public ::testing::Test {
 protected:
  void SetUp() override { game::gameState.speedFactor = 1.0f; }
  void TearDown() override { game::gameState = game::GameState{}; }
};

}  // namespace

TEST_F(Chassis, DrivesAroundADishAndUpToThePotsEdge) {
  const ChassisDriver driver(kTable, {kDish});
  Stance s;
  s.chassis = {10, 30};
  s.facing = s.bodyFacing = {0, 1};
  const Ground pot{110, 30};

  // Where it turns toward the pot is as far in as the dish allows, and the
  // way there keeps clear of the dish.
  const Ground prePark = driver.PreParkFor(pot);
  EXPECT_NEAR(prePark.x, 86.5, 1e-9);
  const std::vector<Ground> route = driver.Route(s.chassis, prePark);
  ASSERT_GE(route.size(), 3u) << "the straight way crosses the dish";
  double length = 0;
  for (std::size_t i = 1; i < route.size(); ++i) length += Length(route[i] - route[i - 1]);
  EXPECT_LT(length, 1.1 * (Length(Ground{47.5, 12.2} - s.chassis) + Length(prePark - Ground{47.5, 12.2})));

  int turns = 0;
  for (Ground waypoint : route)
    while (auto keys = driver.TravelTo(s, waypoint)) {
      Apply(*keys, s);
      ASSERT_FALSE(kDish.Grown(5).Contains(s.chassis)) << s.chassis.x << " " << s.chassis.z;
      ASSERT_LT(++turns, 2000);
    }
  EXPECT_LT(Length(s.chassis - prePark), DriveStep());

  while (auto keys = driver.Face(s, pot)) Apply(*keys, s);
  EXPECT_NEAR(TurnAngle(s.facing, Unit(pot - s.chassis)), 0, TurnStep());

  // Whole steps would stop the front wheels up to a step short of the
  // edge; the angled step leaves them a whole number of steps from it.
  std::vector<Keys> creep = driver.CreepKeys(s);
  ASSERT_FALSE(creep.empty()) << "this start leaves a part step";
  const Ground facing = s.facing;
  for (const Keys& k : creep) Apply(k, s);
  EXPECT_NEAR(TurnAngle(facing, s.facing), 0, 1e-9) << "turned back as it was";
  while (driver.WheelsStayOn(Drive(true), s, kWheelMargin)) Apply(Drive(true), s);
  const double frontWheels = s.chassis.x + 3.7 * s.facing.x + 2.5 * std::abs(s.facing.z);
  EXPECT_GT(frontWheels, kTable.x1 - kWheelMargin - 0.15 * DriveStep());
  EXPECT_TRUE(driver.WheelsStayOn(Drive(false), s, kWheelMargin));
  EXPECT_FALSE(driver.WheelsStayOn(TurnKeys(1), s, kWheelMargin)) << "a turn swings a front wheel over the edge";
}

TEST_F(Chassis, NoRouteAcrossATableCutInTwo) {
  const ChassisDriver driver(kTable, {{48, -10, 52, 70}});
  EXPECT_TRUE(driver.Route({10, 30}, {90, 30}).empty());
  EXPECT_EQ(driver.Route({10, 30}, {30, 50}).size(), 2u) << "a clear way is one straight leg";
}
