#include "game/scoop_and_pour.h"

#include <cmath>
#include <limits>

#include "core/game_state.h"
#include "scene/ingredient_frames.h"
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

void ParkHeap(const Ref<Frame>& heap) {
  if (!heap) return;
  // Moving a frame invalidates every cached pick scene; skip the move when
  // the heap is parked already.
  if (PositionIn(heap, objects.anchorFrame).y >= kParkedHeapY) return;
  heap->SetPosition(objects.anchorFrame.get(), 0, kParkedHeapY, 0).Ignore(scene::kPoseResultUnused);
}

}  // namespace

void HideCarriedHeaps() {
  for (Ingredient ingredient : kIngredients) ParkHeap(*scene::FramesOf(ingredient).heap);
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
  if (g.bucketLoaded && g.bucketAmount > before) g.bucketAmount = before;
}

Ingredient FindPot() {
  for (Ingredient ingredient : kIngredients)
    if (MouthDistanceFromAxis(*scene::FramesOf(ingredient).pot) < kPotRadius) return ingredient;
  return Ingredient::None;
}

bool DetectLiftOut() {
  GameState& g = gameState;
  if (g.bucketDipped != g.bucketDippedBefore) {
    g.bucketIngredient = FindPot();
    if (!g.bucketDipped) {
      g.bucketDippedBefore = false;
      return true;
    }
  }
  g.bucketDippedBefore = g.bucketDipped;
  return false;
}

void ShowCarriedHeap() {
  GameState& g = gameState;
  if (g.bucketDipped || !g.bucketLoaded) return;
  // Dipping a loaded bucket into another pot changes its ingredient; the
  // heap of the old one must not stay behind where the bucket was.
  for (Ingredient other : kIngredients)
    if (other != g.bucketIngredient) ParkHeap(*scene::FramesOf(other).heap);
  if (g.bucketIngredient == Ingredient::None) return;
  Ref<Frame>* heap = scene::FramesOf(g.bucketIngredient).heap;
  if (!*heap) return;

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
  if (!g.bucketLoaded) return;
  float fallen = g.bucketAmountBefore - g.bucketAmount;
  // A load from no pot pours into nothing.
  if (g.bucketAmount < g.bucketAmountBefore && g.bucketIngredient != Ingredient::None) {
    if (MouthDistanceFromAxis(objects.cupFrame) < kCupPourRadius) g.cup[g.bucketIngredient] += fallen;
    if (MouthDistanceFromAxis(objects.glassFrame) < kGlassPourRadius) g.glass[g.bucketIngredient] += fallen;
  }
  g.bucketAmountBefore = g.bucketAmount;
}

void ScoopAndPourStep() {
  GameState& g = gameState;
  UpdateBucketAmount();
  const bool liftedOut = DetectLiftOut();
  // A load is taken only at the lift-out, with whatever the tilt gives then.
  if (liftedOut && g.bucketAmount != 0.0f) g.bucketLoaded = true;
  // Emptied outside a pot: unloaded before the pour below, so the last
  // decrement of a load reaches no vessel.
  if (!g.bucketDipped && g.bucketAmount == 0.0f) {
    g.bucketLoaded = false;
    HideCarriedHeaps();
  }
  ShowCarriedHeap();
  PourIntoVessels();
}

}  // namespace game
