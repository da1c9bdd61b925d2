#pragma once
// One game step: sample the input, handle the keys that work everywhere,
// stop last step's motion, and run the one mode handler the flags select.
#include <array>
#include <cstdint>

namespace game {

// Device qualities F1 steps through, by renderQualityIndex 1..5.
constexpr std::array<std::uint32_t, 6> renderQualityTable = {0, 0x8A, 0x40, 0x80, 0x88, 0x89};

// False when Escape is down at the end of the step.
bool GameStep();

// Which handler the mode flags select, in their priority order.
enum class Mode { Calibration, AttractDemo, Replay, AllCleared, Title, StageIntro, Result, Playing, Fall };
Mode CurrentMode();

}  // namespace game
