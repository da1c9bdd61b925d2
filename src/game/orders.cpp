#include "game/orders.h"

#include <algorithm>

#include "core/game_state.h"
#include "game/excavator.h"
#include "game/random.h"
#include "game/stages.h"
#include "platform/os/clock.h"
#include "scene/scene_objects.h"

namespace game {

using scene::objects;

namespace {

constexpr int kCoffee = 0, kMilk = 1, kSugar = 2;

void Fit(const scene::Ref<scene::Frame>& frame, const scene::Ref<scene::MeshBuilder>& cover, bool wanted) {
  if (!frame || !cover) return;
  frame->DeleteVisual(cover.get()).Ignore("a cover on a frame that exists is always taken and given back");
  if (!wanted) frame->AddVisual(cover).Ignore("a cover on a frame that exists is always taken and given back");
}

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
  if (stage == 1) order = Order{{100, 0, 0}, {0, 0, 0}};
  if (stage == 2) order = Order{{100, 0, 0}, {100, 0, 0}};
  return order;
}

void FitPotCovers() {
  const GameState& g = gameState;
  Fit(objects.coffeeMarkFrame, objects.coffeeMarkMesh, g.orderCupCoffee != 0 || g.orderGlassCoffee != 0);
  Fit(objects.milkMarkFrame, objects.milkMarkMesh, g.orderCupMilk != 0 || g.orderGlassMilk != 0);
  Fit(objects.sugarMarkFrame, objects.sugarMarkMesh, g.orderCupSugar != 0 || g.orderGlassSugar != 0);
}

void NewOrder() {
  GameState& g = gameState;
  // Seeded anew at every stage: the time decides the order.
  Order order = DrawOrder(g.stageNumber, static_cast<std::uint32_t>(platform::os::CurrentTime()));
  g.orderCupCoffee = order.cup[kCoffee];
  g.orderCupMilk = order.cup[kMilk];
  g.orderCupSugar = order.cup[kSugar];
  g.orderGlassCoffee = order.glass[kCoffee];
  g.orderGlassMilk = order.glass[kMilk];
  g.orderGlassSugar = order.glass[kSugar];

  g.coincidentHit = 0;
  g.solidHit = 0;
  g.bucketDipped = 0;
  g.savedBucketDipped = 0;
  ForgetUndoHistory();
  g.bucketDippedBefore = 0;
  g.bucketLoaded = 0;
  g.bucketAmount = 0;
  g.bucketAmountBefore = 0;
  g.bucketTiltSide = 0;
  g.bucketIngredient = 0;
  g.cupCoffee = g.cupMilk = g.cupSugar = 0;
  g.glassCoffee = g.glassMilk = g.glassSugar = 0;
  g.fallPhase = 0;

  FitPotCovers();
  UseResultCamera();
  PlaceStageProps(std::clamp(g.stageNumber, 1, 5));
  g.stageIntroActive = 1;
}

const char* Verdict(int orderScore) {
  if (orderScore > 90) return "Nice!! ";
  if (orderScore > 70) return "Good ! ";
  return "Bad !! ";
}

}  // namespace game
