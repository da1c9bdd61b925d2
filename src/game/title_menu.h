#pragma once
// The title menu, active from the boom's rise on: game speed, the button
// configuration, and the attract demo after a long idle time.

namespace game {

constexpr float kMinSpeed = 1.0f;
constexpr float kMaxSpeed = 5.0f;
constexpr float kSpeedStep = 0.05f;
// Idle title steps before the attract demo is tried.
constexpr int kIdleStepsBeforeDemo = 800;

// One title step: Enter starts the game in every phase, the show runs its
// phases, and from the boom's rise on the menu takes its keys.
void TitleStep();
void TitleMenuStep();
// Loads the demo file and, when it loads, lays out its stage and starts the
// attract demo; false when it does not load.
bool TryAttractDemo();

}  // namespace game
