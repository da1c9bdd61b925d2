// One frame per main-loop turn, and giving the world back at the end.
#include "scene/scene.h"

#include "core/game_state.h"
#include "platform/os/turns.h"
#include "scene/scene_objects.h"
#include "vexel/vexel.h"

namespace scene {

bool RenderFrame() {
  vexel::VexelContext& v = vexel::vexelContext;
  game::GameState& g = game::gameState;
  if (!v.ready) return false;
  if (!v.active && !v.windowed) return false;
  // A turn that put the excavator back to its saved pose shows no new
  // picture: the one rendered from the refused pose is dropped. Nor is there
  // one to show after a turn that rendered none.
  const bool reverted = g.poseRevertedByCollision || g.poseRevertedByBase;
  if (!reverted && platform::os::PreviousTurnRenderedPicture()) vexel::VexelPresent();
  g.poseRevertedByCollision = false;
  g.poseRevertedByBase = false;
  vexel::VexelRestoreSurfaces();
  if (objects.sceneRoot) objects.sceneRoot->Move(g.speedFactor).Ignore("moving frames that exist cannot fail");
  // A turn running behind the live pace moves the world without drawing it.
  if (!platform::os::TurnRendersPicture()) return true;
  vexel::VexelRender(objects.sceneRoot.get());
  // A failed present or render has cleaned the layer up: nothing more may
  // touch its surfaces this turn.
  if (!v.ready) return true;
  if (v.viewport)
    v.viewport->ForceUpdate(0, 0, v.width, v.height)
        .Ignore("a repaint that is refused leaves the old picture one turn longer");
  return true;
}

void ReleaseScene() {
  SceneObjects& o = objects;
  for (Ref<MeshBuilder>* held :
       {&o.cupContentMesh, &o.glassContentMesh, &o.coffeeMarkMesh, &o.sugarMarkMesh, &o.milkMarkMesh})
    held->reset();
  for (const NamedFrame& f : NamedFrames(o)) f.slot->reset();
}

}  // namespace scene
