#pragma once
// The frames that belong to each ingredient: its pot, the pot's cover, and
// the heap the bucket carries. The one place that knows which named frame
// goes with which ingredient.
#include "core/ingredients.h"
#include "scene/scene_objects.h"

namespace scene {

struct IngredientFrames {
  Ref<Frame>* pot;      // the jar: its axis is where the bucket scoops
  Ref<Frame>* surface;  // the ingredient's surface inside the jar
  Ref<Frame>* floor;    // what lies under the ingredient
  Ref<Frame>* coverAt;  // the frame that wears the cover
  Ref<MeshBuilder>* cover;
  Ref<Frame>* heap;  // the load riding in the bucket
};

// The frames of a real ingredient (not None) in `o`.
IngredientFrames FramesOf(game::Ingredient ingredient, SceneObjects& o = objects);

// A pot whose ingredient no vessel wants wears its cover.
void FitPotCover(game::Ingredient ingredient, bool wanted);

}  // namespace scene
