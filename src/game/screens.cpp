#include "game/screens.h"

namespace game {

// The screens come with the stage flow; until then each mode simply waits.
void RunDemoScreen() {}
void RunReplayScreen() {}
void RunAllCleared() {}
void RunStageIntro() {}
void RunResultScreen() {}

}  // namespace game
