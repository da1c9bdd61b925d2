// The playing step: keys and stick become rates on the excavator's frames,
// which the render step integrates; collisions put the previous pose back.
#include "game/excavator.h"

#include "audio/sound_effects.h"
#include "core/game_state.h"
#include "game/collision.h"
#include "game/excavator_pose.h"
#include "game/scoop_and_pour.h"
#include "platform/os/keyboard.h"
#include "scene/camera_select.h"
#include "scene/scene_objects.h"

namespace game {

using platform::os::KeyDown;
using platform::rm::Vec3;
using scene::objects;
namespace vk = platform::os::vk;

namespace {

struct Controls {
  bool up, down, left, right, armBody, boomBucket, drive;
};

Controls ReadControls() {
  platform::os::KeyboardState keys;
  platform::os::GetKeyboardState(keys);
  const GameState& g = gameState;
  return {KeyDown(keys, vk::kUp) || g.joyUp,
          KeyDown(keys, vk::kDown) || g.joyDown,
          KeyDown(keys, vk::kLeft) || g.joyLeft,
          KeyDown(keys, vk::kRight) || g.joyRight,
          KeyDown(keys, vk::kShift) || g.buttonDown[3],
          KeyDown(keys, vk::kControl) || g.buttonDown[4],
          KeyDown(keys, vk::kTab) || g.buttonDown[2]};
}

// up.y / up.z of a joint relative to its parent; infinite at rest (up.z 0).
float LimitRatio(const scene::Ref<scene::Frame>& joint, const scene::Ref<scene::Frame>& parent) {
  Vec3 direction{0, 0, 1}, up{0, 1, 0};
  if (joint) joint->GetOrientation(parent.get(), &direction, &up).Ignore(scene::kPoseResultUnused);
  return up.y / up.z;
}

bool Inside(double r, double low, double high) { return low < r && r < high; }

struct JointRates {
  double swing = 0, boom = 0, arm = 0, bucket = 0;
};

JointRates JointRatesFor(const Controls& c) {
  JointRates j;
  if (c.left && c.armBody) j.swing = -0.02;
  if (c.right && c.armBody) j.swing = +0.02;
  if (c.down && c.boomBucket) j.boom = +0.02;
  if (c.up && c.boomBucket) j.boom = -0.02;
  if (c.up && c.armBody) j.arm = +0.02;
  if (c.down && c.armBody) j.arm = -0.02;
  if (c.right && c.boomBucket) j.bucket = +0.01;
  if (c.left && c.boomBucket) j.bucket = -0.01;
  // Inside a limit window the joint is pushed back out, whatever the keys say.
  double boom = LimitRatio(objects.arm1Frame, objects.bodyFrame);
  double arm = LimitRatio(objects.arm2Frame, objects.arm1Frame);
  double bucket = LimitRatio(objects.bucketFrame, objects.arm2Frame);
  if (Inside(boom, -0.3, -0.1)) j.boom = +0.02;
  if (Inside(boom, 0.7, 0.9)) j.boom = -0.02;
  if (Inside(arm, -0.1, 0.1)) j.arm = +0.02;
  if (Inside(arm, 0.7, 0.9)) j.arm = -0.02;
  if (Inside(bucket, 0.7, 0.9)) j.bucket = +0.02;
  if (Inside(bucket, 0.8, 1.0)) j.bucket = -0.02;
  if (gameState.bucketDipped) j.swing = 0;
  return j;
}

void Turn(scene::Ref<scene::Frame>& frame, const scene::Frame* ref, Vec3 axis, double rate) {
  if (frame) frame->SetRotation(ref, axis, static_cast<float>(rate)).Ignore(scene::kPoseResultUnused);
}

struct Drive {
  double velocity = 0, turn = 0, leftSpin = 0, rightSpin = 0;
};

Drive DriveFor(const Controls& c) {
  bool forward = c.drive && c.up, backward = c.drive && c.down;
  bool turnLeft = c.drive && c.left, turnRight = c.drive && c.right;
  if (forward + backward + turnLeft + turnRight != 1) return {};
  if (backward) return {+0.2, 0, +0.05, +0.05};
  if (forward) return {-0.2, 0, -0.05, -0.05};
  if (turnLeft) return {0, -0.02, +0.05, -0.05};
  return {0, +0.02, -0.05, +0.05};
}

// A dipped bucket's pose is allowed only while it counts as dipped, so an
// undo puts the dip state back with the pose: left as the rejected pose set
// it, the pose put back could itself be rejected, and every later move undone
// for ever.
void RestoreDipState() { gameState.bucketDipped = gameState.savedBucketDipped; }

// True when the last playing step was undone by the bucket-and-arm test.
bool g_bucketArmUndoneLastStep = false;

void UndoBucketAndArm() {
  gameState.poseRevertedByCollision = true;
  for (Part p : {Part::Chassis, Part::Body, Part::Boom, Part::Arm, Part::Bucket}) StopPart(p);
  for (Part p : {Part::Chassis, Part::Body, Part::Boom, Part::Arm, Part::Bucket}) RestoreOrientation(p);
  for (Part p : {Part::Chassis, Part::Body, Part::Boom, Part::Arm, Part::Bucket}) RestorePosition(p);
  // Nothing moves between an undo and the next step's test, so a second
  // undo in a row means the pose put back failed: rounding left it a hair
  // off the one that passed (a lip resting on the table top, put back just
  // under it), and it would fail for ever. The second time it goes back to
  // the pose that passed, exactly.
  if (g_bucketArmUndoneLastStep) PutBackPassedPose();
  RestoreDipState();
}

// Only the chassis and the upper structure go back: boom, arm and bucket keep
// their own motion (their own test undoes it), so a joint held while the
// chassis pushes against something still moves.
void UndoChassisAndBody() {
  gameState.poseRevertedByBase = true;
  for (Part p : {Part::Chassis, Part::Body}) {
    StopPart(p);
    RestoreOrientation(p);
    RestorePosition(p);
  }
  RestoreDipState();
}

void KeepLoop(audio::SoundEffect loop, bool moving) {
  bool playing = audio::IsLoopPlaying(loop);
  if (moving && !playing) audio::StartLoop(loop);
  if (!moving && playing) audio::StopLoop(loop);
}

}  // namespace

void ForgetUndoHistory() {
  g_bucketArmUndoneLastStep = false;
  ForgetPassedPose();
}

void PlayExcavatorStep() {
  GameState& g = gameState;
  Controls c = ReadControls();
  JointRates j = JointRatesFor(c);
  Turn(objects.bodyFrame, objects.baseFrame.get(), {0, 1, 0}, j.swing);
  Turn(objects.arm1Frame, objects.bodyFrame.get(), {1, 0, 0}, j.boom);
  Turn(objects.arm2Frame, objects.arm1Frame.get(), {1, 0, 0}, j.arm);
  Turn(objects.bucketFrame, objects.arm2Frame.get(), {1, 0, 0}, j.bucket);

  Drive d = DriveFor(c);
  // The record's probe flags show the bucket-and-arm probe and the chassis
  // probe after it, so this first chassis probe leaves them alone.
  if (g.bucketDipped || BaseBoxHits() != Contact::Clear) d = {};
  if (objects.baseFrame) {
    Turn(objects.baseFrame, objects.baseFrame.get(), {0, 1, 0}, d.turn);
    objects.baseFrame->SetVelocity(objects.baseFrame.get(), {0, 0, static_cast<float>(d.velocity)}, false)
        .Ignore(scene::kPoseResultUnused);
  }
  for (auto* tire : {&objects.tireFrontLeftFrame, &objects.tireRearLeftFrame})
    Turn(*tire, tire->get(), {1, 0, 0}, d.leftSpin);
  for (auto* tire : {&objects.tireFrontRightFrame, &objects.tireRearRightFrame})
    Turn(*tire, tire->get(), {1, 0, 0}, d.rightSpin);

  const BucketArmProbe arm = BucketArmHits(g.bucketDipped);
  g.bucketDipped = arm.dipped;
  Contacts shown = arm.contacts;
  // While dipped, only solid contact blocks the bucket: the ingredient's
  // surface does not.
  const bool bucketArmUndone = arm.hit && (!arm.dipped || arm.contacts.solid);
  if (bucketArmUndone) UndoBucketAndArm();
  g_bucketArmUndoneLastStep = bucketArmUndone;
  if (const TableEdge edge = TableEdgeInside(); !edge.inside) {
    g.edgeOffsetX = edge.offsetX;
    g.edgeOffsetZ = edge.offsetZ;
    g.fallPhase = FallPhase::LeftTable;
  }
  const Contact chassis = BaseBoxHits();
  shown.Add(chassis);
  g.coincidentHit = shown.coincident;
  g.solidHit = shown.solid;
  const bool chassisUndone = chassis != Contact::Clear;
  if (chassisUndone) UndoChassisAndBody();
  ScoopAndPourStep();

  KeepLoop(audio::SoundEffect::DriveLoop, d.leftSpin != 0);
  KeepLoop(audio::SoundEffect::SwingLoop, j.swing != 0);
  KeepLoop(audio::SoundEffect::HydraulicLoop, j.boom != 0 || j.arm != 0 || j.bucket != 0);
  // After a chassis undo the joints stand where they moved, over a chassis
  // put back: no probe has tested that pose, and an undo to it could meet
  // the same obstacle for ever. The last tested pose stays saved.
  if (!chassisUndone) {
    SaveExcavatorPose();
    g.savedBucketDipped = g.bucketDipped;
    if (!bucketArmUndone) KeepPassedPose();
  }
  ChooseCamera();
  PlaceFollowingCameras();
}

}  // namespace game
