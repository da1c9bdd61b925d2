#pragma once
// The finished drinks on show: the cup (on its dish) and the glass placed
// below the table, where the result and All Cleared cameras circle them, and
// put away again when the game moves on.
#include <cstdint>

namespace game {

inline constexpr std::uint32_t kBlackCoffee = 0xFF000000;
inline constexpr std::uint32_t kMilkyCoffee = 0xFF9D6A00;

// Black only when not a drop of milk went in.
std::uint32_t DrinkColour(float milkTally);
void ColourDrinks(std::uint32_t cup, std::uint32_t glass);

// The vessels of the order around resultTargetFrame at (0, -200, 0), each
// with its drink inside.
void PlaceShowcase();
// The result camera's orbit: wider when two vessels stand side by side.
float ShowcaseRadius();

// Dish 1 back at its table place and both drinks parked above the scene.
void PutShowcaseAway();

}  // namespace game
