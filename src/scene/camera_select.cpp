#include "scene/camera_select.h"

#include "scene/scene_objects.h"
#include "vexel/vexel.h"

namespace scene {

void SetCamera(int n) {
  if (n < 1 || n > 10 || !vexel::vexelContext.viewport) return;
  vexel::vexelContext.viewport->SetCamera(objects.camera[n]).Ignore(kCameraResultUnused);
}

}  // namespace scene
