#include "game/excavator.h"

namespace game {

// The controls come with the excavator work.
void PlayExcavatorStep() {}
void UpdateFall() {}
void AimCameras() {}

}  // namespace game
