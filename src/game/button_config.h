#pragma once
// The button configuration screen, opened with J from the title menu: the
// player picks a row with Up/Down and presses the joystick button wanted for
// it; Space leaves.

namespace game {

// One step of the screen; the title runs it while buttonConfigActive is 1.
void ButtonConfigStep();

}  // namespace game
