#pragma once
// The 3D world: built once, rendered every turn, released at the end.

namespace scene {

bool BuildScene();
bool RenderFrame();
void ReleaseScene();

}  // namespace scene
