#pragma once

namespace game {

// Zeroes every rotation rate and velocity of the excavator's frames and the
// title letters: a part moves only while a handler keeps commanding it.
void StopExcavatorMotion();

}  // namespace game
