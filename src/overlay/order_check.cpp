#include "overlay/order_check.h"

#include "audio/music.h"
#include "audio/sound_effects.h"
#include "core/game_state.h"
#include "core/timers.h"
#include "overlay/font.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"

namespace overlay {

namespace {

struct Amounts {
  std::array<float, 6> poured, ordered;
};

Amounts CurrentAmounts() {
  const game::GameState& g = game::gameState;
  Amounts a{};
  // Cup rows first, then glass rows, each in ingredient order.
  for (game::Ingredient i : game::kIngredients) {
    const std::size_t row = game::IngredientSlot(i);
    a.poured[row] = g.cup[i];
    a.poured[3 + row] = g.glass[i];
    a.ordered[row] = g.orderCup[i];
    a.ordered[3 + row] = g.orderGlass[i];
  }
  return a;
}

}  // namespace

int FillRow(float poured, float ordered) {
  if (poured < ordered - kOrderTolerance) return font_row::kYellow;
  if (poured < ordered + kOrderTolerance) return font_row::kWhite;
  if (poured < ordered + kFarTooMuch) return font_row::kYellow;
  return font_row::kRed;
}

OrderRows CurrentFillRows() {
  const Amounts a = CurrentAmounts();
  OrderRows rows{};
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = FillRow(a.poured[i], a.ordered[i]);
  return rows;
}

OrderGrade GradeOrder(const OrderRows& rows) {
  int yellow = 0, red = 0;
  for (int row : rows) {
    yellow += row == font_row::kYellow;
    red += row == font_row::kRed;
  }
  const int prompt = red > 0 ? font_row::kRed : yellow > 0 ? font_row::kYellow : font_row::kWhite;
  return {6 - yellow - 3 * red, prompt};
}

int OrderScore(int count) { return 100 - 10 * (6 - count); }

bool OrderPoured() {
  const Amounts a = CurrentAmounts();
  for (std::size_t i = 0; i < a.poured.size(); ++i)
    if (!(a.poured[i] >= a.ordered[i] - kOrderTolerance)) return false;
  return true;
}

void CheckOrderReady(const OrderRows& rows) {
  game::GameState& g = game::gameState;
  const OrderGrade grade = GradeOrder(rows);

  if (OrderPoured() && g.orderDonePhase != game::OrderDonePhase::Hidden) {
    if (g.orderDonePhase == game::OrderDonePhase::Waiting) {
      // Timers 16 and 17 blink it: 800 ms shown, 1000 ms hidden, a chime
      // at the start of each showing.
      platform::os::SetTimer(g.mainWindow, core::kTimerOrderShown, 800);
      audio::PlayOnce(audio::SoundEffect::OrderReadyChime);
      g.orderDonePhase = game::OrderDonePhase::Shown;
    }
    DrawTextOnBlack(grade.promptRow, 302, 360, "[P U S H  S P A C E]");
  }

  platform::os::KeyboardState keys;
  platform::os::GetKeyboardState(keys);
  // The hidden half of the blink still takes Space.
  if (platform::os::KeyDown(keys, platform::os::vk::kSpace) && g.orderDonePhase != game::OrderDonePhase::Waiting) {
    g.resultPhase = game::ScreenPhase::Entering;
    g.orderScore = OrderScore(grade.count);
    platform::os::SetTimer(g.mainWindow, core::kTimerScoreCount, 240);
    g.resultCountTicks = 0;
    audio::PlayTrack(1);
  }
}

}  // namespace overlay
