#pragma once
// Scooping and pouring. The bucket's content is a single number read from
// how level the bucket is held; lifting the bucket out of a pot loads it with
// that pot's ingredient, and whatever a loaded bucket loses while its mouth is
// above the cup or the glass is added to that vessel's tally. A heap mesh in
// the bucket shows the load.

#include "core/ingredients.h"

namespace game {

// Horizontal reach around an axis within which the bucket's mouth counts as
// above a vessel or in a pot.
inline constexpr float kCupPourRadius = 12.4f;
inline constexpr float kGlassPourRadius = 10.9f;
inline constexpr float kPotRadius = 10.0f;

// The whole per-step sequence, run by the playing step after the collision
// probes have decided bucketDipped for this step.
void ScoopAndPourStep();

// Its parts, in the order the step runs them.
void UpdateBucketAmount();
// True on the step the bucket leaves an ingredient; picks the pot on
// dipping in and on lifting out alike.
bool DetectLiftOut();
// The first pot, in the order coffee, milk, sugar, whose axis is within
// kPotRadius of the bucket's mouth; None when none is.
Ingredient FindPot();
void ShowCarriedHeap();
void PourIntoVessels();

// Parks the three heap meshes out of sight (stage set-up, result screen).
void HideCarriedHeaps();

}  // namespace game
