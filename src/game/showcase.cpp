#include "game/showcase.h"

#include "core/game_state.h"
#include "scene/place.h"
#include "scene/scene_objects.h"

namespace game {

using platform::rm::Vec3;
using scene::Frame;
using scene::objects;
using scene::Place;
using scene::Ref;

namespace {

bool CupInPlay() { return InPlay(gameState.orderCup); }
bool GlassInPlay() { return InPlay(gameState.orderGlass); }

}  // namespace

std::uint32_t DrinkColour(float milkTally) { return milkTally == 0 ? kBlackCoffee : kMilkyCoffee; }

void ColourDrinks(std::uint32_t cup, std::uint32_t glass) {
  if (objects.cupContentMesh) objects.cupContentMesh->SetColor(cup).Ignore("a colour is always taken");
  if (objects.glassContentMesh) objects.glassContentMesh->SetColor(glass).Ignore("a colour is always taken");
}

void PlaceShowcase() {
  const Ref<Frame>& root = objects.sceneRoot;
  Place(objects.resultTargetFrame, root, {0, -200, 0});
  bool cup = CupInPlay(), glass = GlassInPlay();
  if (cup) {
    Place(objects.dish1Frame, root, {glass ? 15.0f : 0.0f, -200, 0});
    Place(objects.cupFrame, objects.dish1Frame, {0, 0, 0});
  }
  if (glass) Place(objects.glassFrame, root, {cup ? -15.0f : 0.0f, -200, 0});
  Place(objects.cupContentFrame, objects.cupFrame, {0, 0, 0});
  Place(objects.glassContentFrame, objects.glassFrame, {0, 0, 0});
}

float ShowcaseRadius() { return CupInPlay() && GlassInPlay() ? 100.0f : 90.0f; }

void PutShowcaseAway() {
  const Ref<Frame>& root = objects.sceneRoot;
  Place(objects.dish1Frame, root, {4, 1, 55});
  Place(objects.cupContentFrame, root, {0, 1000, 0});
  Place(objects.glassContentFrame, root, {0, 1000, 0});
}

}  // namespace game
