#include "scene/replay_view.h"

namespace scene {

// The vessels' content frames and camera 10 come with the scene; until then
// there is nothing to move.
void ShowReplayView() {}

}  // namespace scene
