#include "input/joystick.h"

#include "game/game_state.h"

namespace input {

// The device comes with the input work; without it the game runs on the
// keyboard alone, as on a machine with no joystick attached.
int InitJoystick() { return 0; }
void ReleaseJoystick() {}
void PollJoystickButtons() {}
void PollJoystickAxes() {}

void ClearDuplicateAssignments(int slot) {
  auto& assign = game::gameState.buttonAssign;
  if (slot < 1 || slot > 8) return;
  for (int other = 1; other <= 8; ++other)
    if (other != slot && assign[other] == assign[slot]) assign[other] = -1;
}

}  // namespace input
