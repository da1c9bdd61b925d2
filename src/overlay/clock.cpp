#include "overlay/clock.h"

#include "core/game_state.h"
#include "overlay/font.h"
#include "overlay/overlay.h"

namespace overlay {

namespace {

// Below 10 only the units digit is written; above, the first two digits.
void PutField(std::string& text, std::size_t at, int value) {
  const std::string digits = std::to_string(value);
  if (value < 10) {
    text[at + 1] = digits[0];
  } else {
    text[at] = digits[0];
    text[at + 1] = digits[1];
  }
}

}  // namespace

std::string ClockText(int elapsedSeconds) {
  const int seconds = elapsedSeconds < 0 ? 0 : elapsedSeconds;
  std::string text = "00:00";
  PutField(text, 3, seconds % 60);
  PutField(text, 0, seconds / 60);
  return text;
}

int ClockRow(int elapsedSeconds) {
  if (elapsedSeconds < 300) return font_row::kWhite;
  if (elapsedSeconds < 600) return font_row::kYellow;
  return font_row::kRed;
}

void DrawClock() {
  const int seconds = game::gameState.elapsedSeconds;
  DrawText(font_row::kCyan, 28, 536, "Time");
  DrawText(ClockRow(seconds), 28, 561, ClockText(seconds));
}

}  // namespace overlay
