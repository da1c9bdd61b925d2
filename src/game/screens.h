#pragma once
// The stage intro, result, replay, All Cleared and attract-demo screens.

namespace game {

void RunDemoScreen();
void RunReplayScreen();
void RunAllCleared();
void RunStageIntro();
void RunResultScreen();

}  // namespace game
