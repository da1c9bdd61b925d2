#pragma once
// The keys the autopilot holds during one turn.

namespace autopilot {

struct Keys {
  bool up = false, down = false, left = false, right = false;
  bool shift = false, control = false, tab = false;
  bool enter = false, space = false, escape = false;
};

// Presses what `keys` holds and releases the rest, through the keyboard
// array the game reads.
void HoldKeys(const Keys& keys);

}  // namespace autopilot
