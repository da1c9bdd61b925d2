#include "game/orders.h"

#include <algorithm>

#include "core/game_state.h"
#include "game/excavator.h"
#include "game/random.h"
#include "game/stages.h"
#include "platform/os/clock.h"
#include "scene/ingredient_frames.h"

namespace game {

namespace {

constexpr Ingredient kCoffee = Ingredient::Coffee, kMilk = Ingredient::Milk, kSugar = Ingredient::Sugar;

}  // namespace

Order DrawOrder(int stage, std::uint32_t seed) {
  // Out-of-range stages would divide by zero below; the flow never makes one.
  stage = std::clamp(stage, 1, 5);
  ClassicRandom random(seed);
  Order order;
  int r = random.Next() % 10;
  if (r <= 3) {
    order.cup[kCoffee] = 100;
  } else if (r <= 7) {
    order.glass[kCoffee] = 100;
  } else {
    order.cup[kCoffee] = 100;
    order.glass[kCoffee] = 100;
  }
  for (auto* vessel : {&order.cup, &order.glass}) {
    if ((*vessel)[kCoffee] <= 0) continue;
    (*vessel)[kMilk] = static_cast<float>((random.Next() % stage) * 100);
    (*vessel)[kSugar] = static_cast<float>((random.Next() % stage) * 100);
  }
  // The first two stages teach the controls with coffee alone.
  if (stage == 1) order = Order{{100, 0, 0}, {}};
  if (stage == 2) order = Order{{100, 0, 0}, {100, 0, 0}};
  return order;
}

void FitPotCovers() {
  const GameState& g = gameState;
  for (Ingredient i : kIngredients) scene::FitPotCover(i, Wanted(g.orderCup, g.orderGlass, i));
}

void NewOrder() {
  GameState& g = gameState;
  // Seeded anew at every stage: the time decides the order.
  Order order = DrawOrder(g.stageNumber, static_cast<std::uint32_t>(platform::os::CurrentTime()));
  g.orderCup = order.cup;
  g.orderGlass = order.glass;

  g.coincidentHit = false;
  g.solidHit = false;
  g.bucketDipped = false;
  g.savedBucketDipped = false;
  ForgetUndoHistory();
  g.bucketDippedBefore = false;
  g.bucketLoaded = false;
  g.bucketAmount = 0;
  g.bucketAmountBefore = 0;
  g.bucketTiltSide = 0;
  g.bucketIngredient = Ingredient::None;
  g.cup = {};
  g.glass = {};
  g.fallPhase = FallPhase::OnTable;

  FitPotCovers();
  UseResultCamera();
  PlaceStageProps(std::clamp(g.stageNumber, 1, 5));
  g.stageIntroActive = true;
}

const char* Verdict(int orderScore) {
  if (orderScore > 90) return "Nice!! ";
  if (orderScore > 70) return "Good ! ";
  return "Bad !! ";
}

}  // namespace game
