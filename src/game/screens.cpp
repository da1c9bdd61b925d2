#include "game/screens.h"

#include "audio/music.h"
#include "core/game_state.h"
#include "core/timers.h"
#include "game/run_log.h"
#include "game/screen_parts.h"
#include "game/showcase.h"
#include "platform/os/keyboard.h"
#include "platform/os/messages.h"
#include "scene/camera_select.h"
#include "scene/place.h"
#include "scene/scene_objects.h"

namespace game {

namespace vk = platform::os::vk;
using platform::rm::Vec3;
using scene::Frame;
using scene::objects;
using scene::Orient;
using scene::Place;
using scene::Ref;

namespace {

constexpr Vec3 kAlong{0, 0, 1}, kUp{0, 1, 0};

// The excavator's joints at rest after a playback left them anywhere.
void StraightenExcavator() {
  for (const Ref<Frame>* part :
       {&objects.baseFrame, &objects.bodyFrame, &objects.arm1Frame, &objects.arm2Frame, &objects.bucketFrame})
    Orient(*part, objects.sceneRoot, kAlong, kUp);
  for (auto tire : scene::kTireSlots) Orient(objects.*tire, objects.baseFrame, kAlong, kUp);
}

// The table is laid for the break: both drinks, the cakes on their dishes
// and the spoon below the table, where the camera circles them.
void LayTheBreak() {
  const Ref<Frame>& root = objects.sceneRoot;
  if (!root) return;
  root->SetSceneBackgroundRGB(0, 0.15f, 0).Ignore("a background colour is always taken");
  Orient(objects.cupFrame, root, {1, 0, 0}, kUp);
  Orient(objects.glassFrame, root, {1, 0, 0}, kUp);
  Place(objects.dish1Frame, root, {16, -200, 26});
  Place(objects.cupFrame, objects.dish1Frame, {0, 0, 0});
  Place(objects.glassFrame, root, {-20, -200, -25});
  ColourDrinks(kMilkyCoffee, kBlackCoffee);
  Place(objects.cupContentFrame, objects.cupFrame, {0, 0, 0});
  Place(objects.glassContentFrame, objects.glassFrame, {0, 0, 0});
  Place(objects.dish2Frame, root, {-20, -200, 20});
  Place(objects.cakeFrame, objects.dish2Frame, {-2, 1, 0});
  Place(objects.dish3Frame, root, {25, -200, -15});
  Place(objects.cake2Frame, objects.dish3Frame, {-2, 1, 0});
  Place(objects.spoonFrame, root, {10, -200, -40});
}

}  // namespace

void RunStageIntro() {
  GameState& g = gameState;
  scene::PlaceTires();
  OrbitResultCamera(g.introAngle, 0.015f, 300, 50, objects.stageCenterFrame, objects.stageCenterFrame);
  DrawScreenText(kRowWhite, 290, 570, "[ P U S H  S P A C E ]");
  if (KeyOrButtonDown(vk::kSpace, false)) {
    platform::os::SetTimer(g.mainWindow, core::kTimerDemoRecord, 100);
    g.recordCount = 0;
    runLog.playingTurns = 0;
    g.stageIntroActive = false;
    g.elapsedSeconds = 0;
    platform::os::SetTimer(g.mainWindow, core::kTimerClock, 1000);
  }
}

void RunAllCleared() {
  GameState& g = gameState;
  if (g.allClearedPhase == ScreenPhase::Entering) {
    g.allClearedPhase = ScreenPhase::Showing;
    runLog.allClearedSeen = true;
    LayTheBreak();
    if (g.musicEnabled) audio::PlayTrack(2);
  }
  OrbitResultCamera(g.showcaseAngle, 0.0045f, 135, -140, objects.sceneRoot, objects.resultTargetFrame);
  DrawScreenText(kRowWhite, 230, 450, "All Cleared !! Let's enjoy break time !! ");
  DrawScreenText(kRowWhite, 290, 570, "[ P U S H  S P A C E ]");
  if (!KeyOrButtonDown(vk::kSpace, false)) return;
  audio::PlayTrack(0);
  g.titlePhase = TitlePhase::SetUp;
  if (objects.sceneRoot)
    objects.sceneRoot->SetSceneBackgroundRGB(0.05f, 0.45f, 0.05f).Ignore("a background colour is always taken");
  g.allClearedPhase = ScreenPhase::Off;
  PutShowcaseAway();
  g.resultPhase = ScreenPhase::Off;
  // Hidden behind the title until its Enter starts stage 1 again.
  g.stageIntroActive = true;
  g.stageNumber = 1;
}

void RunDemoScreen() {
  GameState& g = gameState;
  bool interrupted = KeyOrButtonDown(vk::kSpace, true);
  if (g.playbackIndex > g.recordCount || interrupted) {
    StraightenExcavator();
    g.titlePhase = TitlePhase::SetUp;
    g.attractDemoActive = false;
    platform::os::KillTimer(g.mainWindow, core::kTimerDemoPlay);
    g.replayActive = false;
    g.cameraIndex = 9;
    scene::SetCamera(9);
    if (interrupted) {
      g.playbackIndex = 0;
      g.recordCount = 0;
    }
  }
  DrawScreenText(kRowWhite, 290, 570, "[ P U S H  S P A C E ]");
  FollowPlayback();
}

}  // namespace game
