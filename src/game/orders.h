#pragma once
// Orders: what belongs in the cup and in the glass at each stage, the start
// of a stage, and the verdict words for a finished order's points.
#include <cstdint>

#include "core/ingredients.h"

namespace game {

// A vessel is in play when its coffee is above 0.
struct Order {
  IngredientAmounts cup;
  IngredientAmounts glass;
};

// The order of stage `stage` (1..5) for a random generator seeded with
// `seed`. Coffee is 100 in each vessel in play; stages 3 to 5 add milk and
// sugar from 0 to (stage - 1) * 100.
Order DrawOrder(int stage, std::uint32_t seed);

// Starts a stage: draws the order for stageNumber seeded from the clock,
// clears the bucket, the tallies and the probe flags, fits the pot covers,
// lays out the stage and opens its intro.
void NewOrder();

// A pot whose ingredient the order wants in neither vessel wears its cover.
void FitPotCovers();

// "Nice!! ", "Good ! " or "Bad !! " (seven characters each).
const char* Verdict(int orderScore);

}  // namespace game
