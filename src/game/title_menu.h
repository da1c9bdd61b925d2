#pragma once
// The title menu, active from the boom's rise on: game speed, the button
// configuration, and the attract demo after a long idle time.

namespace overlay {

constexpr float kMinSpeed = 1.0f;
constexpr float kMaxSpeed = 5.0f;
constexpr float kSpeedStep = 0.05f;
// Idle title steps before the attract demo is tried.
constexpr int kIdleStepsBeforeDemo = 800;

void TitleMenuStep();
// Loads the demo file and, when it loads, lays out its stage and starts the
// attract demo; false when it does not load.
bool TryAttractDemo();
// "[ENTER]START ... SPEED=" and the speed as 20..100.
void DrawTitleMenuLine();

}  // namespace overlay
