#pragma once
// The three ingredients and amounts of them, indexed by ingredient: the
// pots, the tallies, the orders and the panel rows all go coffee, milk,
// sugar, so code loops over them instead of naming each one.
#include <array>
#include <cstddef>
#include <cstdint>

namespace game {

// The values are the codes the saved state and the trail show.
enum class Ingredient : std::int32_t { None = 0, Coffee = 1, Milk = 2, Sugar = 3 };

inline constexpr std::array<Ingredient, 3> kIngredients{Ingredient::Coffee, Ingredient::Milk, Ingredient::Sugar};

// Position 0..2 of a real ingredient (not None) in per-ingredient arrays.
constexpr std::size_t IngredientSlot(Ingredient i) { return static_cast<std::size_t>(i) - 1; }

// Coffee, milk and sugar in one vessel or one order, in bucket units (a full
// bucket holds 400).
struct IngredientAmounts {
  std::array<float, 3> amounts{};

  float& operator[](Ingredient i) { return amounts[IngredientSlot(i)]; }
  float operator[](Ingredient i) const { return amounts[IngredientSlot(i)]; }
  bool operator==(const IngredientAmounts&) const = default;
};

// A vessel is in play when its order has coffee: an order that wants a
// vessel at all always wants coffee in it.
inline bool InPlay(const IngredientAmounts& order) { return order[Ingredient::Coffee] > 0; }

// Whether either vessel's order wants `ingredient`.
inline bool Wanted(const IngredientAmounts& cupOrder, const IngredientAmounts& glassOrder, Ingredient ingredient) {
  return cupOrder[ingredient] > 0 || glassOrder[ingredient] > 0;
}

}  // namespace game
