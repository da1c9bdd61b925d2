#pragma once
// The phases of the game's modes. The values are the codes the saved state
// and the trail show, so they are fixed; a flag of the record that is only
// on or off is a bool instead.
#include <cstdint>

namespace game {

// The speed calibration at the first start.
enum class CalibrationPhase : std::int32_t { Off = 0, Start = 1, Counting = 2, Finished = 3 };

// The title show: the stand is set up, the excavator drives in, turns to
// face the player while it arrives and after, raises its boom, and the menu
// waits.
enum class TitlePhase : std::int32_t {
  Off = 0,
  SetUp = 1,
  DriveIn = 2,
  DriveInAndTurn = 3,
  Turn = 4,
  RaiseBoom = 5,
  Menu = 6
};

// A screen that does its set-up on its first step (result, All Cleared).
enum class ScreenPhase : std::int32_t { Off = 0, Entering = 1, Showing = 2 };

enum class FallPhase : std::int32_t { OnTable = 0, LeftTable = 1, Falling = 2 };

// The blinking "push space" prompt of a filled order.
enum class OrderDonePhase : std::int32_t { Waiting = 0, Shown = 1, Hidden = 2 };

template <typename Phase>
constexpr std::int32_t Code(Phase phase) {
  return static_cast<std::int32_t>(phase);
}

}  // namespace game
