#include "game/scoop_and_pour.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/stages.h"
#include "support/built_scene.h"
#include "support/succeeds.h"

using game::gameState;
using game::Ingredient;
using platform::rm::Vec3;
using scene::objects;

namespace {

class ScoopAndPour : public test_support::BuiltScene {
 protected:
  void SetUp() override {
    BuiltScene::SetUp();
    ASSERT_TRUE(game::PlaceStageProps(4));
    // Pots and vessels out of the way until a case puts one under the bucket.
    for (auto* f : {&objects.coffeeJarFrame, &objects.milkJarFrame, &objects.sugarJarFrame, &objects.cupFrame,
                    &objects.glassFrame})
      EXPECT_OK((*f)->SetPosition(objects.sceneRoot.get(), 500, 0, 500));
  }

  // Turns the bucket about its hinge so that its up vector relative to the
  // upper structure has this y; mouthUp picks which of the two poses.
  void Tilt(float upY, bool mouthUp = true) {
    float upZ = std::sqrt(1 - upY * upY) * (mouthUp ? 1.0f : -1.0f);
    EXPECT_OK(objects.bucketFrame->SetOrientation(objects.bodyFrame.get(), {0, -upZ, upY}, {0, upY, upZ}));
  }
  // Puts the frame's axis dx beside the bucket's mouth (the mouth's x is
  // exact with the excavator at rest, so the distance is exactly dx).
  void PutBesideMouth(const scene::Ref<scene::Frame>& f, float dx) {
    Vec3 m = WorldPosition(objects.bucketMouthFrame);
    EXPECT_OK(f->SetPosition(objects.sceneRoot.get(), m.x + dx, -21, m.z));
  }
  float MouthDistance(const scene::Ref<scene::Frame>& f) {
    Vec3 p = PositionIn(objects.bucketMouthFrame, f);
    return std::sqrt(p.x * p.x + p.z * p.z);
  }
  void Step(int dipped) {
    gameState.bucketDipped = dipped;
    game::ScoopAndPourStep();
  }
  void TiltAndStep(float upY) {
    Tilt(upY);
    Step(0);
  }
  float AmountAt(float upY, bool mouthUp = true) {
    Tilt(upY, mouthUp);
    game::UpdateBucketAmount();
    return gameState.bucketAmount;
  }
  bool Parked(const scene::Ref<scene::Frame>& heap) { return PositionIn(heap, objects.anchorFrame).y >= 2000; }
  // Dips into the pot at the mouth and lifts out with the bucket tilted to upY.
  void Scoop(const scene::Ref<scene::Frame>& pot, float upY) {
    if (pot) PutBesideMouth(pot, 0);
    Tilt(upY);
    Step(1);
    Step(0);
    if (pot) EXPECT_OK(pot->SetPosition(objects.sceneRoot.get(), 500, 0, 500));
  }
};

}  // namespace

TEST_F(ScoopAndPour, AmountFollowsHowLevelTheBucketIsHeld) {
  const struct { float upY, amount; } cases[] = {{-1.0f, 400}, {-0.8f, 200}, {-0.7f, 100}, {-0.5f, 0}, {0.3f, 0}};
  for (auto c : cases) EXPECT_NEAR(AmountAt(c.upY), c.amount, 0.01f) << "up.y " << c.upY;
  for (bool mouthUp : {true, false}) {
    AmountAt(-0.8f, mouthUp);
    EXPECT_EQ(gameState.bucketTiltSide, mouthUp ? 1 : -1);
  }
}

TEST_F(ScoopAndPour, LoadedBucketOnlyLosesContent) {
  gameState.bucketLoaded = true;
  gameState.bucketAmount = 150;
  EXPECT_EQ(AmountAt(-1.0f), 150) << "levelling must not refill";
  EXPECT_NEAR(AmountAt(-0.7f), 100, 0.01f);
  EXPECT_NEAR(AmountAt(-1.0f), 100, 0.01f);
}

TEST_F(ScoopAndPour, ScoopedCoffeePoursIntoTheCupButTheLastDecrementIsLost) {
  PutBesideMouth(objects.coffeeJarFrame, 0);
  Tilt(-1.0f);
  Step(1);
  EXPECT_EQ(gameState.bucketIngredient, Ingredient::Coffee) << "the pot is found on dipping in";
  EXPECT_EQ(gameState.bucketLoaded, 0) << "nothing is loaded while dipped";
  Step(0);
  EXPECT_EQ(gameState.bucketLoaded, 1);
  EXPECT_EQ(gameState.bucketIngredient, Ingredient::Coffee);
  EXPECT_FALSE(Parked(objects.carryCoffeeFrame));
  EXPECT_TRUE(Parked(objects.carryMilkFrame) && Parked(objects.carrySugarFrame));

  PutBesideMouth(objects.cupFrame, 0);
  TiltAndStep(-0.75f);
  EXPECT_NEAR(gameState.cup[Ingredient::Coffee], 250, 0.01f);
  TiltAndStep(-0.5f);
  EXPECT_NEAR(gameState.cup[Ingredient::Coffee], 250, 0.01f) << "emptying unloads before the pour";
  EXPECT_EQ(gameState.bucketLoaded, 0);
  EXPECT_NEAR(gameState.bucketAmountBefore, 150, 0.01f);
  EXPECT_TRUE(Parked(objects.carryCoffeeFrame));

  Scoop(objects.coffeeJarFrame, -1.0f);
  PutBesideMouth(objects.cupFrame, 0);
  TiltAndStep(-0.5f);
  EXPECT_NEAR(gameState.cup[Ingredient::Coffee], 250, 0.01f) << "a full load emptied in one step adds nothing";
}

TEST_F(ScoopAndPour, PourReachesOnlyStrictlyWithinTheVesselRadius) {
  const struct {
    const scene::Ref<scene::Frame>& vessel;
    float inside, outside;
    const float& milk;
  } cases[] = {{objects.cupFrame, 12.3f, 12.4f, gameState.cup[Ingredient::Milk]},
               {objects.glassFrame, 10.8f, 10.9f, gameState.glass[Ingredient::Milk]}};
  for (const auto& c : cases) {
    for (float dx : {c.inside, c.outside}) {
      PutBesideMouth(c.vessel, dx);
      if (dx == c.outside) {
        ASSERT_EQ(MouthDistance(c.vessel), dx);
      }
      gameState.bucketLoaded = true;
      gameState.bucketIngredient = Ingredient::Milk;
      gameState.bucketAmountBefore = 300;
      gameState.bucketAmount = 200;
      game::PourIntoVessels();
      EXPECT_NEAR(c.milk, 100, 0.01f) << dx;
    }
  }
  EXPECT_EQ(gameState.bucketAmountBefore, 200);
}

TEST_F(ScoopAndPour, FirstPotInOrderWithinTenUnitsIsFound) {
  PutBesideMouth(objects.sugarJarFrame, 0);
  PutBesideMouth(objects.milkJarFrame, 9.9f);
  PutBesideMouth(objects.coffeeJarFrame, 10.0f);
  EXPECT_EQ(game::FindPot(), Ingredient::Milk);
  PutBesideMouth(objects.coffeeJarFrame, -9.9f);
  EXPECT_EQ(game::FindPot(), Ingredient::Coffee);
  PutBesideMouth(objects.coffeeJarFrame, 50);
  PutBesideMouth(objects.milkJarFrame, 50);
  EXPECT_EQ(game::FindPot(), Ingredient::Sugar);
}

TEST_F(ScoopAndPour, DippingALoadInAnotherPotSwitchesIngredientAndHeap) {
  Scoop(objects.coffeeJarFrame, -1.0f);
  Scoop(objects.milkJarFrame, -1.0f);
  EXPECT_EQ(gameState.bucketIngredient, Ingredient::Milk);
  EXPECT_FALSE(Parked(objects.carryMilkFrame));
  EXPECT_TRUE(Parked(objects.carryCoffeeFrame)) << "the old heap must not float where the bucket was";
}
