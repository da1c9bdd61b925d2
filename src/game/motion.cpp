#include "game/motion.h"

namespace game {

// The excavator's frames come with the scene; with none built yet there is
// no motion to stop.
void StopExcavatorMotion() {}

}  // namespace game
