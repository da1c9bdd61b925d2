#pragma once

namespace scene {

// The replay's view: the cup's and glass's contents parked above the scene
// (the replay shows the run from the start) and camera 10 on the viewport.
void ShowReplayView();

}  // namespace scene
