#include "overlay/title_show.h"

#include "core/game_state.h"
#include "scene/camera_select.h"
#include "scene/ingredient_frames.h"
#include "scene/place.h"
#include "scene/scene_objects.h"

namespace overlay {

using platform::Ref;
using platform::rm::Frame;
using platform::rm::Vec3;
using scene::objects;
using scene::Orient;
using scene::Place;
using scene::PlaceTires;

namespace {

// A joint turned by a fraction of a quarter turn: t = 0 straight along +z.
Vec3 QuarterDirection(float t) { return {0, t, 1 - t}; }
Vec3 QuarterUp(float t) { return {0, 1 - t, t}; }

}  // namespace

void SetUpTitleShow() {
  game::GameState& g = game::gameState;
  const Ref<Frame>& root = objects.sceneRoot;
  g.titleBaseZ = 70;
  g.titleCamZ = 60;
  g.titleCamRise = 60;
  g.titleWheelPhase = 0;
  g.titleSwingT = 0;
  g.titleSwingSign = -1;
  g.titleBoomLift = 0;
  g.titleArmLift = 0;
  g.titleIdleSteps = 0;
  g.buttonConfigActive = false;

  Place(objects.camera[9], root, {-200, 3060, 60});
  Orient(objects.camera[9], root, {1, 0, 0}, {0, 1, 0});
  Place(objects.lightFrame, root, {-150, 3050, 0});
  scene::SetCamera(9);
  g.cameraIndex = 9;

  Place(objects.baseFrame, root, {-170, 2990, 70});
  Place(objects.bodyFrame, objects.baseFrame, {0, 3, 0});
  Place(objects.arm1Frame, objects.bodyFrame, {0, 0, -2});
  Place(objects.arm2Frame, objects.arm1Frame, {0, 11.5f, -7.4f});
  Place(objects.bucketFrame, objects.arm2Frame, {0, 0.1f, -7.7f});
  for (const Ref<Frame>* part :
       {&objects.baseFrame, &objects.bodyFrame, &objects.arm1Frame, &objects.arm2Frame, &objects.bucketFrame})
    Orient(*part, root, {0, 0, 1}, {0, 1, 0});
  // Nothing is carried on the stand.
  for (game::Ingredient i : game::kIngredients) Place(*scene::FramesOf(i).heap, objects.anchorFrame, {0, 2000, 0});
  PlaceTires();
  g.titlePhase = game::TitlePhase::DriveIn;
}

void SpinTitlePieces() {
  constexpr float kRate = 0.003f;
  for (const Ref<Frame>* piece : {&objects.t1Frame, &objects.t2Frame})
    if (*piece) (*piece)->SetRotation(piece->get(), -1, 1, 0, kRate).Ignore(scene::kPoseResultUnused);
  for (const Ref<Frame>* piece : {&objects.t3Frame, &objects.t4Frame, &objects.t5Frame})
    if (*piece) (*piece)->SetRotation(piece->get(), 1, 1, 0, kRate).Ignore(scene::kPoseResultUnused);
}

void DriveIn() {
  game::GameState& g = game::gameState;
  g.titleBaseZ -= 0.1f;
  g.titleCamZ -= 0.4f;
  g.titleCamRise -= 0.4f;
  g.titleWheelPhase += 0.034f;
  // The body starts to turn before the excavator has stopped.
  if (g.titleBaseZ <= 7) g.titlePhase = game::TitlePhase::DriveInAndTurn;
  if (g.titleBaseZ <= -7) {
    g.titleBaseZ = -7;
    g.titlePhase = game::TitlePhase::Turn;
  }
  if (g.titleCamZ < 0) g.titleCamZ = 0;
  if (g.titleCamRise < 0) g.titleCamRise = 0;
  if (g.titleWheelPhase > 1) g.titleWheelPhase = 0;

  const Ref<Frame>& root = objects.sceneRoot;
  Place(objects.camera[9], root, {-200, 3000 + g.titleCamRise, g.titleCamZ});
  Place(objects.baseFrame, root, {-170, 2990, g.titleBaseZ});
  const float w = g.titleWheelPhase;
  for (const Ref<Frame>* tire : {&objects.tireFrontLeftFrame, &objects.tireRearLeftFrame, &objects.tireFrontRightFrame,
                                 &objects.tireRearRightFrame})
    Orient(*tire, objects.baseFrame, QuarterDirection(w), QuarterUp(w));
}

void TurnBody() {
  game::GameState& g = game::gameState;
  if (g.titleSwingT > 1) {
    g.titleSwingT = 0;
    g.titleSwingSign = -g.titleSwingSign;
  }
  g.titleSwingT += 0.01f;
  const float t = g.titleSwingT;
  if (g.titleSwingSign < 0) {
    Orient(objects.bodyFrame, objects.baseFrame, {t, 0, 1 - t}, {0, 1, 0});
  } else if (g.titleSwingSign > 0) {
    Orient(objects.bodyFrame, objects.baseFrame, {1 - t, 0, -t}, {0, 1, 0});
    if (t > 1) g.titlePhase = game::TitlePhase::RaiseBoom;  // half a turn done
  }
}

void RaiseBoom() {
  game::GameState& g = game::gameState;
  g.titleBoomLift -= 0.005f;
  g.titleArmLift += 0.0005f;
  if (g.titleBoomLift < -2.5f) g.titlePhase = game::TitlePhase::Menu;
  const float a = g.titleBoomLift, b = g.titleArmLift;
  Orient(objects.arm1Frame, objects.bodyFrame, QuarterDirection(a), QuarterUp(a));
  Orient(objects.arm2Frame, objects.arm1Frame, QuarterDirection(b), QuarterUp(b));
}

}  // namespace overlay
