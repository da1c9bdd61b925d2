#include "game/screens.h"

#include <cmath>

#include "app/timers.h"
#include "game/game_state.h"
#include "overlay/overlay.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "scene/scene_objects.h"

namespace game {

using scene::objects;

namespace {

// The screens' orbiting camera: resultCamera on a circle, looking at a centre.
void Orbit(float& angle, float step, float radius, float height, scene::Ref<scene::Frame>& placedIn,
           scene::Ref<scene::Frame>& target) {
  angle += step;
  if (angle > 3.14f) angle = -3.14f;
  scene::Ref<scene::Frame>& camera = objects.resultCamera;
  if (!camera || !placedIn || !target) return;
  camera->SetPosition(placedIn.get(), radius * std::cos(angle), height, radius * std::sin(angle));
  camera->LookAt(target.get(), objects.sceneRoot.get(), platform::rm::Constraint::Z);
}

void Text(int row, int x, int y, const char* text) {
  overlay::DrawFontText(row, x, y, text, static_cast<int>(std::char_traits<char>::length(text)));
}

}  // namespace

void RunStageIntro() {
  GameState& g = gameState;
  const platform::rm::Vec3 tires[] = {{2.5f, 1, -3.7f}, {2.5f, 1, 3.7f}, {-2.5f, 1, -3.7f}, {-2.5f, 1, 3.7f}};
  scene::Ref<scene::Frame>* tireFrames[] = {&objects.tireFrontLeftFrame, &objects.tireRearLeftFrame,
                                            &objects.tireFrontRightFrame, &objects.tireRearRightFrame};
  for (int i = 0; i < 4; ++i)
    if (*tireFrames[i]) (*tireFrames[i])->SetPosition(objects.baseFrame.get(), tires[i]);
  Orbit(g.introAngle, 0.015f, 300, 50, objects.stageCenterFrame, objects.stageCenterFrame);
  Text(4, 290, 570, "[ P U S H  S P A C E ]");
  platform::os::KeyboardState keys;
  platform::os::GetKeyboardState(keys);
  if (platform::os::KeyDown(keys, platform::os::vk::kSpace)) {
    platform::os::SetTimer(g.mainWindow, app::kTimerDemoRecord, 100);
    g.recordCount = 0;
    g.stageIntroActive = 0;
    g.elapsedSeconds = 0;
    platform::os::SetTimer(g.mainWindow, app::kTimerClock, 1000);
  }
}

// The result, replay, All Cleared and demo screens come with the stage flow.
void RunDemoScreen() {}
void RunReplayScreen() {}
void RunAllCleared() {}
void RunResultScreen() {}

}  // namespace game
