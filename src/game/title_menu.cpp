#include "game/title_menu.h"

#include "core/game_state.h"
#include "core/timers.h"
#include "demo/demo.h"
#include "game/button_config.h"
#include "game/stages.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "scene/camera_select.h"
#include "scene/scene_objects.h"

namespace game {

using scene::objects;

namespace {

void StartAttractDemo() {
  game::GameState& g = game::gameState;
  PlaceStageProps(g.demoStage);
  g.playbackIndex = 0;
  g.attractDemoActive = true;
  platform::os::SetTimer(g.mainWindow, core::kTimerDemoPlay, 100);
  for (const scene::Ref<scene::Frame>* drink : {&objects.cupContentFrame, &objects.glassContentFrame})
    if (*drink) (*drink)->SetPosition(objects.sceneRoot.get(), 0, 1000, 0).Ignore(scene::kPoseResultUnused);
  scene::SetCamera(10);
  g.cameraIndex = 10;
  g.titlePhase = TitlePhase::Off;
}

void OpenButtonConfig() {
  game::GameState& g = game::gameState;
  g.buttonConfigActive = true;
  g.configCursor = 1;
  // The stand falls back to the ambient light behind the configuration texts.
  if (objects.lightFrame)
    objects.lightFrame->SetPosition(objects.sceneRoot.get(), 50000, -50000, -50000).Ignore(scene::kPoseResultUnused);
}

}  // namespace

bool TryAttractDemo() {
  if (!demo::LoadDemo()) return false;
  StartAttractDemo();
  return true;
}

void TitleMenuStep() {
  game::GameState& g = game::gameState;
  platform::os::KeyboardState keys;
  platform::os::GetKeyboardState(keys);
  using platform::os::KeyDown;
  namespace vk = platform::os::vk;

  // No latch: a held key changes the speed every step.
  if ((KeyDown(keys, vk::kUp) || g.joyUp) && !g.buttonConfigActive) {
    g.speedFactor += kSpeedStep;
    if (g.speedFactor > kMaxSpeed) g.speedFactor = kMaxSpeed;
  }
  if ((KeyDown(keys, vk::kDown) || g.joyDown) && !g.buttonConfigActive) {
    g.speedFactor -= kSpeedStep;
    if (g.speedFactor < kMinSpeed) g.speedFactor = kMinSpeed;
  }
  if (KeyDown(keys, 'J') && !g.buttonConfigActive) OpenButtonConfig();

  if (g.buttonConfigActive)
    ButtonConfigStep();
  else
    g.titleIdleSteps += 1;

  if (g.titleIdleSteps > kIdleStepsBeforeDemo && !TryAttractDemo())
    g.titlePhase = TitlePhase::SetUp;  // no demo: the show starts again
}

}  // namespace game
