#include "scene/ingredient_frames.h"

namespace scene {

IngredientFrames FramesOf(game::Ingredient ingredient, SceneObjects& o) {
  using game::Ingredient;
  switch (ingredient) {
    case Ingredient::Milk:
      return {&o.milkJarFrame, &o.milkInFrame, &o.milkRFrame, &o.milkMarkFrame, &o.milkMarkMesh, &o.carryMilkFrame};
    case Ingredient::Sugar:
      return {&o.sugarJarFrame,  &o.sugarInFrame,  &o.sugarMidFrame,
              &o.sugarMarkFrame, &o.sugarMarkMesh, &o.carrySugarFrame};
    case Ingredient::Coffee:
    case Ingredient::None: break;
  }
  return {&o.coffeeJarFrame,  &o.coffeeInFrame,  &o.coffeeRFrame,
          &o.coffeeMarkFrame, &o.coffeeMarkMesh, &o.carryCoffeeFrame};
}

void FitPotCover(game::Ingredient ingredient, bool wanted) {
  const IngredientFrames f = FramesOf(ingredient);
  if (!*f.coverAt || !*f.cover) return;
  constexpr const char* kAlwaysTaken = "a cover on a frame that exists is always taken and given back";
  (*f.coverAt)->DeleteVisual(f.cover->get()).Ignore(kAlwaysTaken);
  if (!wanted) (*f.coverAt)->AddVisual(*f.cover).Ignore(kAlwaysTaken);
}

}  // namespace scene
