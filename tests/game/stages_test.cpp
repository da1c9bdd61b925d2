#include "game/stages.h"

#include <gtest/gtest.h>

#include <tuple>

#include "game/orders.h"
#include "support/built_scene.h"
#include "support/succeeds.h"

using game::gameState;
using game::Ingredient;
using platform::rm::Vec3;
using scene::objects;

namespace {

class Stages : public test_support::BuiltScene {
 protected:
  void ExpectAt(const scene::Ref<scene::Frame>& f, Vec3 p, const char* what) {
    Vec3 w = WorldPosition(f);
    for (auto [a, b] : {std::pair{w.x, p.x}, {w.y, p.y}, {w.z, p.z}}) EXPECT_NEAR(a, b, 1e-3f) << what;
  }
  float UpY(const scene::Ref<scene::Frame>& f) {
    Vec3 dir, up;
    EXPECT_OK(f->GetOrientation(objects.sceneRoot.get(), &dir, &up));
    return up.y;
  }
  int ObstaclesOnTable() {
    int n = 0;
    for (auto* f : {&objects.dish1Frame, &objects.dish2Frame, &objects.dish3Frame, &objects.cakeFrame,
                    &objects.cake2Frame, &objects.spoonFrame})
      n += WorldPosition(*f).y < 100;
    return n;
  }
};

}  // namespace

TEST_F(Stages, FirstStageHasOnlyTheCoffeePotAndTheCup) {
  gameState.orderCup[Ingredient::Coffee] = 100;
  ASSERT_TRUE(game::PlaceStageProps(1));
  ExpectAt(objects.tableAFrame, {0, -30, 40}, "table A");
  ExpectAt(objects.tableDFrame, {0, 4970, 40}, "table D parked");
  ExpectAt(objects.coffeeJarFrame, {-50, -30, 50}, "coffee pot");
  for (auto* f : {&objects.milkJarFrame, &objects.sugarJarFrame, &objects.glassFrame})
    EXPECT_GT(WorldPosition(*f).y, 4000);
  ExpectAt(objects.cupFrame, {45, -21, 50}, "cup in play");
  EXPECT_EQ(UpY(objects.cupFrame), 1);
  ExpectAt(objects.tableCorner[2], {-35, 0, 22}, "rectangle's near corner");
  ExpectAt(objects.tableCorner[3], {30, 0, 81}, "rectangle's far corner");
  EXPECT_EQ(ObstaclesOnTable(), 0);

  EXPECT_FALSE(game::PlaceStageProps(0));
  EXPECT_FALSE(game::PlaceStageProps(6));
  ExpectAt(objects.tableAFrame, {0, -30, 40}, "no such stage changes nothing");
}

TEST_F(Stages, PotPartsMoveWithTheirPotFromStageToStage) {
  ASSERT_TRUE(game::PlaceStageProps(1));
  ASSERT_TRUE(game::PlaceStageProps(2));
  ExpectAt(objects.coffeeMarkFrame, {-58, -30, 50}, "cover frame hangs from the jar");
  ExpectAt(objects.coffeeRFrame, {-58, -32, 50}, "cr.x part, 2 lower");
  ASSERT_TRUE(game::PlaceStageProps(3));
  ExpectAt(objects.milkRFrame, {-51, -30, 24}, "milk part");
}

TEST_F(Stages, VesselsOutOfPlayStandUpsideDown) {
  gameState.orderGlass[Ingredient::Coffee] = 100;
  ASSERT_TRUE(game::PlaceStageProps(4));
  ExpectAt(objects.cupFrame, {-18, -7, -20}, "cup out of play");
  EXPECT_EQ(UpY(objects.cupFrame), -1);
  ExpectAt(objects.glassFrame, {18, -20, -20}, "glass in play");
  EXPECT_EQ(UpY(objects.glassFrame), 1);
  EXPECT_EQ(ObstaclesOnTable(), 3) << "dish, cake and spoon";
}

TEST_F(Stages, EveryStagePutsTheExcavatorTogetherAtRest) {
  EXPECT_OK(objects.arm1Frame->SetOrientation(objects.bodyFrame.get(), {0, 0.6f, 0.8f}, {0, 0.8f, -0.6f}));
  EXPECT_OK(objects.bodyFrame->SetPosition(objects.sceneRoot.get(), 40, 7, 3));
  EXPECT_OK(objects.baseFrame->SetOrientation(objects.sceneRoot.get(), {1, 0, 0}, {0, 1, 0}));
  EXPECT_OK(objects.carryMilkFrame->SetPosition(objects.bodyFrame.get(), 0, 0, -20));
  ASSERT_TRUE(game::PlaceStageProps(5));
  ExpectAt(objects.baseFrame, {5, 0.1f, 10}, "chassis start");
  ExpectAt(objects.bucketFrame, {5, 14.7f, -7.1f}, "bucket at the end of the boom and arm at rest");
  ExpectAt(objects.carryMilkFrame, {0, 2000, 0}, "heap parked after the excavator moved");
  EXPECT_FLOAT_EQ(UpY(objects.arm1Frame), 1);
}

TEST_F(Stages, ResultScreenSkipsStageThreeAndTheReplayDoesNot) {
  gameState.stageNumber = 2;
  gameState.resultPhase = game::ScreenPhase::Showing;
  gameState.cameraIndex = 3;
  game::AdvanceStageFromResult();
  EXPECT_EQ(std::tuple(gameState.stageNumber, gameState.cameraIndex, gameState.resultPhase, gameState.stageIntroActive),
            std::tuple(5, 8, game::ScreenPhase::Off, true));
  ExpectAt(objects.tableDFrame, {0, -30, 40}, "table D");
  EXPECT_EQ(ObstaclesOnTable(), 5);

  gameState.stageNumber = 2;
  game::AdvanceStageFromReplay();
  EXPECT_EQ(gameState.stageNumber, 3);
  game::AdvanceStageFromResult();
  EXPECT_EQ(gameState.stageNumber, 4) << "the skip is only from 2";
}

TEST_F(Stages, AfterStageFiveBothScreensOpenAllCleared) {
  gameState.stageNumber = 5;
  gameState.resultPhase = game::ScreenPhase::Showing;
  game::AdvanceStageFromResult();
  EXPECT_EQ(gameState.allClearedPhase, game::ScreenPhase::Entering);
  EXPECT_EQ(gameState.stageNumber, 5);
  EXPECT_EQ(gameState.resultPhase, game::ScreenPhase::Showing) << "All Cleared clears it itself";

  gameState.allClearedPhase = game::ScreenPhase::Off;
  EXPECT_OK(vexel::vexelContext.viewport->SetCamera(objects.camera[10]));
  game::AdvanceStageFromReplay();
  EXPECT_EQ(gameState.allClearedPhase, game::ScreenPhase::Entering);
  EXPECT_EQ(vexel::vexelContext.viewport->GetCamera(), objects.resultCamera.get());
}
