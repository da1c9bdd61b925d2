#pragma once
// Grading the pour against the order, and the "[P U S H  S P A C E]" prompt
// that ends the stage.
#include <array>

namespace overlay {

// Allowance around the ordered amount, in bucket units.
constexpr float kOrderTolerance = 50.0f;
constexpr float kFarTooMuch = 150.0f;

// The font row of a poured amount: white within 50 of the order, yellow
// short of it or up to 150 over, red beyond.
int FillRow(float poured, float ordered);

// The six fill rows: cup coffee, milk, sugar, then glass coffee, milk, sugar.
using OrderRows = std::array<int, 6>;
OrderRows CurrentFillRows();

struct OrderGrade {
  int count;      // 6, less 1 per yellow and 3 per red ingredient
  int promptRow;  // white, yellow if any yellow, red if any red
};
OrderGrade GradeOrder(const OrderRows& rows);
// 100 less 10 per yellow and 30 per red ingredient: 100 down to -80.
int OrderScore(int count);
// Every ingredient poured to at least its order less 50 (an ingredient not
// ordered is always satisfied).
bool OrderPoured();

// Blinks the prompt and chimes while the order is filled; Space while the
// prompt is up fixes the score and opens the result screen.
void CheckOrderReady(const OrderRows& rows);

}  // namespace overlay
