#include "game/orders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include "game/excavator_pose.h"
#include "game/random.h"
#include "platform/os/clock.h"
#include "support/built_scene.h"
#include "support/succeeds.h"

using game::gameState;
using game::Ingredient;
using scene::objects;

namespace {

bool Covered(const scene::Ref<scene::Frame>& frame, const scene::Ref<scene::MeshBuilder>& cover) {
  const auto& v = frame->Visuals();
  return std::count_if(v.begin(), v.end(), [&](const auto& x) { return x.get() == cover.get(); }) == 1;
}

using Orders = test_support::BuiltScene;

}  // namespace

TEST(Order, GeneratorIsTheClassicOne) {
  game::ClassicRandom r(1);
  for (int expected : {41, 18467, 6334, 26500, 19169}) EXPECT_EQ(r.Next(), expected);
  // Seed 1 draws r = 1 (cup only), then milk 18467 % 5 and sugar 6334 % 5.
  game::Order o = game::DrawOrder(5, 1);
  EXPECT_EQ(o.cup.amounts, (std::array<float, 3>{100, 200, 400}));
  EXPECT_EQ(o.glass.amounts, (std::array<float, 3>{0, 0, 0}));
}

TEST(Order, FirstTwoStagesOrderCoffeeOnly) {
  for (std::uint32_t seed = 0; seed < 200; ++seed) {
    game::Order one = game::DrawOrder(1, seed), two = game::DrawOrder(2, seed);
    ASSERT_EQ((std::array{one.cup.amounts, one.glass.amounts, two.cup.amounts, two.glass.amounts}),
              (std::array<std::array<float, 3>, 4>{{{100, 0, 0}, {0, 0, 0}, {100, 0, 0}, {100, 0, 0}}}));
  }
}

TEST(Order, LaterStagesDrawMilkAndSugarUpToOneHundredPerStageBelow) {
  for (int stage : {3, 5}) {
    std::set<float> amounts;
    std::map<std::string, int> vessels;
    for (std::uint32_t seed = 0; seed < 2000; ++seed) {
      game::Order o = game::DrawOrder(stage, seed);
      ASSERT_TRUE(o.cup.amounts[0] == 100 || o.glass.amounts[0] == 100);
      ++vessels[std::string(o.cup.amounts[0] ? "cup" : "") + (o.glass.amounts[0] ? "glass" : "")];
      for (const auto* v : {&o.cup, &o.glass}) {
        if (v->amounts[0] == 0) {
          ASSERT_EQ(v->amounts[1] + v->amounts[2], 0) << "a vessel out of play wants nothing";
          continue;
        }
        ASSERT_EQ(v->amounts[0], 100);
        amounts.insert(v->amounts[1]);
        amounts.insert(v->amounts[2]);
      }
    }
    std::set<float> expected;
    for (int i = 0; i < stage; ++i) expected.insert(i * 100.0f);
    EXPECT_EQ(amounts, expected) << "stage " << stage;
    // Four draws in ten want the cup alone, four the glass alone, two both.
    EXPECT_NEAR(vessels["cup"], 800, 80) << "stage " << stage;
    EXPECT_NEAR(vessels["glass"], 800, 80) << "stage " << stage;
    EXPECT_NEAR(vessels["cupglass"], 400, 80) << "stage " << stage;
  }
}

TEST_F(Orders, NewOrderStartsTheStageClean) {
  game::GameState& g = gameState;
  g.stageNumber = 5;
  g.bucketLoaded = g.bucketDipped = g.bucketDippedBefore = true;
  g.bucketIngredient = Ingredient::Coffee;
  g.bucketTiltSide = g.coincidentHit = g.solidHit = true;
  g.fallPhase = game::FallPhase::Falling;
  g.bucketAmount = g.bucketAmountBefore = g.cup[Ingredient::Milk] = g.glass[Ingredient::Sugar] = 120;
  game::KeepPassedPose();  // the last stage's pose, which an undo could put back
  game::NewOrder();

  game::Order o = game::DrawOrder(5, static_cast<std::uint32_t>(platform::os::CurrentTime()));
  EXPECT_EQ(g.orderCup, o.cup);
  EXPECT_EQ(g.orderGlass, o.glass);
  for (bool flag : {g.bucketLoaded, g.bucketDipped, g.bucketDippedBefore, g.coincidentHit, g.solidHit})
    EXPECT_FALSE(flag);
  EXPECT_EQ(g.bucketTiltSide, 0);
  EXPECT_EQ(g.fallPhase, game::FallPhase::OnTable);
  for (float v : {g.bucketAmount, g.bucketAmountBefore, g.cup[Ingredient::Milk], g.glass[Ingredient::Sugar]})
    EXPECT_EQ(v, 0);
  EXPECT_EQ(g.bucketIngredient, Ingredient::None);
  EXPECT_EQ(g.stageIntroActive, 1);
  EXPECT_EQ(vexel::vexelContext.viewport->GetCamera(), objects.resultCamera.get());
  EXPECT_EQ(WorldPosition(objects.tableDFrame).y, -30) << "stage 5 is laid out";

  // An undo early in the new stage has no pose of the last one to go back to.
  EXPECT_OK(objects.bucketFrame->SetPosition(objects.arm2Frame.get(), 7, 7, 7));
  game::PutBackPassedPose();
  platform::rm::Vec3 bucket;
  EXPECT_OK(objects.bucketFrame->GetPosition(objects.arm2Frame.get(), &bucket));
  EXPECT_EQ(bucket.x, 7) << "the last stage's pose was put back";
}

TEST_F(Orders, PotsOfUnwantedIngredientsWearTheirCovers) {
  gameState.stageNumber = 1;
  game::NewOrder();
  EXPECT_FALSE(Covered(objects.coffeeMarkFrame, objects.coffeeMarkMesh));
  EXPECT_TRUE(Covered(objects.milkMarkFrame, objects.milkMarkMesh));
  EXPECT_TRUE(Covered(objects.sugarMarkFrame, objects.sugarMarkMesh));

  gameState.orderGlass[Ingredient::Milk] = 100;  // wanted in one vessel is enough
  game::FitPotCovers();
  EXPECT_FALSE(Covered(objects.milkMarkFrame, objects.milkMarkMesh));
  EXPECT_TRUE(Covered(objects.sugarMarkFrame, objects.sugarMarkMesh)) << "exactly one cover, not two";
}
