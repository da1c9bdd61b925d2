#pragma once
// The game clock in the lower left: "mm:ss", turning yellow at five minutes
// and red at ten.
#include <string>

namespace overlay {

// Five characters; a minute count of 100 or more shows its first two digits.
std::string ClockText(int elapsedSeconds);
// The font row the clock is drawn in.
int ClockRow(int elapsedSeconds);

}  // namespace overlay
