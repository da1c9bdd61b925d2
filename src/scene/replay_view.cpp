#include "scene/replay_view.h"

#include "scene/scene_objects.h"
#include "vexel/vexel.h"

namespace scene {

void ShowReplayView() {
  SceneObjects& o = objects;
  if (o.cupContentFrame) o.cupContentFrame->SetPosition(o.sceneRoot.get(), 0, 1000, 0).Ignore(kPoseResultUnused);
  if (o.glassContentFrame) o.glassContentFrame->SetPosition(o.sceneRoot.get(), 0, 1000, 0).Ignore(kPoseResultUnused);
  if (vexel::vexelContext.viewport) vexel::vexelContext.viewport->SetCamera(o.camera[10]).Ignore(kCameraResultUnused);
}

}  // namespace scene
