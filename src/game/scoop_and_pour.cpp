#include "game/scoop_and_pour.h"

#include <cmath>
#include <limits>

#include "core/game_state.h"
#include "scene/scene_objects.h"

namespace game {

using platform::rm::Vec3;
using scene::Frame;
using scene::objects;
using scene::Ref;

namespace {

constexpr float kFar = std::numeric_limits<float>::infinity();
constexpr float kParkedHeapY = 2000.0f;  // above anchorFrame, out of every camera's view

Vec3 PositionIn(const Ref<Frame>& frame, const Ref<Frame>& ref) {
  Vec3 p{};
  if (frame) frame->GetPosition(ref.get(), &p).Ignore(scene::kPoseResultUnused);
  return p;
}

// Distance of the bucket's mouth from the vertical axis of `ref`; height
// plays no part.
float MouthDistanceFromAxis(const Ref<Frame>& ref) {
  if (!ref || !objects.bucketMouthFrame) return kFar;
  Vec3 m = PositionIn(objects.bucketMouthFrame, ref);
  return std::sqrt(m.x * m.x + m.z * m.z);
}

Ref<Frame>* HeapOf(int ingredient) {
  switch (ingredient) {
    case 1: return &objects.carryCoffeeFrame;
    case 2: return &objects.carryMilkFrame;
    case 3: return &objects.carrySugarFrame;
    default: return nullptr;
  }
}

float* CupTally(int ingredient) {
  GameState& g = gameState;
  switch (ingredient) {
    case 1: return &g.cupCoffee;
    case 2: return &g.cupMilk;
    case 3: return &g.cupSugar;
    default: return nullptr;
  }
}

float* GlassTally(int ingredient) {
  GameState& g = gameState;
  switch (ingredient) {
    case 1: return &g.glassCoffee;
    case 2: return &g.glassMilk;
    case 3: return &g.glassSugar;
    default: return nullptr;
  }
}

void ParkHeap(const Ref<Frame>& heap) {
  if (!heap) return;
  // Moving a frame invalidates every cached pick scene; skip the move when
  // the heap is parked already.
  if (PositionIn(heap, objects.anchorFrame).y >= kParkedHeapY) return;
  heap->SetPosition(objects.anchorFrame.get(), 0, kParkedHeapY, 0).Ignore(scene::kPoseResultUnused);
}

}  // namespace

void HideCarriedHeaps() {
  for (int ingredient = 1; ingredient <= 3; ++ingredient) ParkHeap(*HeapOf(ingredient));
}

void UpdateBucketAmount() {
  GameState& g = gameState;
  if (!objects.bucketFrame) return;
  Vec3 centre = PositionIn(objects.bucketCenterFrame, objects.sceneRoot);
  Vec3 mouth = PositionIn(objects.bucketMouthFrame, objects.sceneRoot);
  Vec3 dir{}, up{};
  objects.bucketFrame->GetOrientation(objects.bodyFrame.get(), &dir, &up).Ignore(scene::kPoseResultUnused);

  float before = g.bucketAmount;
  g.bucketTiltSide = mouth.y - centre.y >= 0 ? 1 : -1;
  // Full (400) with the bucket's up pointing straight down relative to the
  // upper structure, empty from up.y = -0.6 on.
  float amount = -1000.0f * up.y - 600.0f;
  if (!(amount >= 0.0f && amount <= 400.0f)) amount = 0.0f;
  g.bucketAmount = amount;
  // Content that has fallen out does not come back when the bucket levels.
  if (g.bucketLoaded == 1 && g.bucketAmount > before) g.bucketAmount = before;
}

int FindPot() {
  const Ref<Frame>* pots[] = {&objects.coffeeJarFrame, &objects.milkJarFrame, &objects.sugarJarFrame};
  for (int i = 0; i < 3; ++i)
    if (MouthDistanceFromAxis(*pots[i]) < kPotRadius) return i + 1;
  return 0;
}

int DetectLiftOut() {
  GameState& g = gameState;
  if (g.bucketDipped != g.bucketDippedBefore) {
    g.bucketIngredient = FindPot();
    if (g.bucketDipped == 0) {
      g.bucketDippedBefore = 0;
      return 1;
    }
  }
  g.bucketDippedBefore = g.bucketDipped;
  return 0;
}

void ShowCarriedHeap() {
  GameState& g = gameState;
  if (g.bucketDipped != 0 || g.bucketLoaded != 1) return;
  // Dipping a loaded bucket into another pot changes its ingredient; the
  // heap of the old one must not stay behind where the bucket was.
  for (int other = 1; other <= 3; ++other)
    if (other != g.bucketIngredient) ParkHeap(*HeapOf(other));
  Ref<Frame>* heap = HeapOf(g.bucketIngredient);
  if (!heap || !*heap) return;

  const Ref<Frame>& body = objects.bodyFrame;
  Vec3 centre = PositionIn(objects.bucketCenterFrame, body);
  Vec3 mouth = PositionIn(objects.bucketMouthFrame, body);
  float sink = (400.0f - g.bucketAmount) / 800.0f;  // the heap sinks as the bucket empties
  if (g.bucketTiltSide == 1)
    (*heap)->SetPosition(body.get(), centre.x, centre.y - sink / 10.0f, centre.z).Ignore(scene::kPoseResultUnused);
  else if (g.bucketTiltSide == -1)
    (*heap)->SetPosition(body.get(), mouth.x, mouth.y - sink, mouth.z - 3.0f).Ignore(scene::kPoseResultUnused);
}

void PourIntoVessels() {
  GameState& g = gameState;
  if (g.bucketLoaded == 0) return;
  float fallen = g.bucketAmountBefore - g.bucketAmount;
  if (g.bucketAmount < g.bucketAmountBefore) {
    if (MouthDistanceFromAxis(objects.cupFrame) < kCupPourRadius)
      if (float* tally = CupTally(g.bucketIngredient)) *tally += fallen;
    if (MouthDistanceFromAxis(objects.glassFrame) < kGlassPourRadius)
      if (float* tally = GlassTally(g.bucketIngredient)) *tally += fallen;
  }
  g.bucketAmountBefore = g.bucketAmount;
}

void ScoopAndPourStep() {
  GameState& g = gameState;
  UpdateBucketAmount();
  int liftedOut = DetectLiftOut();
  // A load is taken only at the lift-out, with whatever the tilt gives then.
  if (liftedOut == 1 && g.bucketAmount != 0.0f) g.bucketLoaded = 1;
  // Emptied outside a pot: unloaded before the pour below, so the last
  // decrement of a load reaches no vessel.
  if (g.bucketDipped == 0 && g.bucketAmount == 0.0f) {
    g.bucketLoaded = 0;
    HideCarriedHeaps();
  }
  ShowCarriedHeap();
  PourIntoVessels();
}

}  // namespace game
