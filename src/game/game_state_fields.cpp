#include "game/game_state_fields.h"

namespace game {

void VisitFields(const GameState& s, FieldVisitor& v) {
  v.Float("speedFactor", s.speedFactor);
  // Slot 0 is not used: the arrays list slots 1..8.
  v.IntArray("buttonAssign", std::span(s.buttonAssign).subspan(1));
  v.Int("displayModeIndex", s.displayModeIndex);
  v.Int("displayWidth", s.displayWidth);
  v.Int("displayHeight", s.displayHeight);
  v.Int("displayBitDepth", s.displayBitDepth);
  v.Int("windowedMode", s.windowedMode);
  v.Int("calibrationPhase", s.calibrationPhase);
  v.Int("attractDemoActive", s.attractDemoActive);
  v.Int("replayActive", s.replayActive);
  v.Int("allClearedPhase", s.allClearedPhase);
  v.Int("titlePhase", s.titlePhase);
  v.Int("stageIntroActive", s.stageIntroActive);
  v.Int("resultPhase", s.resultPhase);
  v.Int("fallPhase", s.fallPhase);
  v.Int("calibrationFrames", s.calibrationFrames);
  v.Float("showcaseAngle", s.showcaseAngle);
  v.Int("cameraIndex", s.cameraIndex);
  v.Int("renderQualityIndex", s.renderQualityIndex);
  v.Int("qualityKeyLatch", s.qualityKeyLatch);
  v.Int("toggleKeyLatch", s.toggleKeyLatch);
  v.Int("musicKeyLatch", s.musicKeyLatch);
  v.Int("configKeyLatch", s.configKeyLatch);
  v.Int("keyGuideVisible", s.keyGuideVisible);
  v.Int("poseRevertedByCollision", s.poseRevertedByCollision);
  v.Int("poseRevertedByBase", s.poseRevertedByBase);
  v.FloatArray("savedPose", s.savedPose);
  v.FloatArray("fallVelocity", s.fallVelocity);
  v.Float("fallSpinRate", s.fallSpinRate);
  v.Int("bucketDippedBefore", s.bucketDippedBefore);
  v.Int("bucketLoaded", s.bucketLoaded);
  v.Float("bucketAmount", s.bucketAmount);
  v.Float("bucketAmountBefore", s.bucketAmountBefore);
  v.Int("bucketTiltSide", s.bucketTiltSide);
  v.Int("bucketIngredient", s.bucketIngredient);
  v.Float("cupCoffee", s.cupCoffee);
  v.Float("cupMilk", s.cupMilk);
  v.Float("cupSugar", s.cupSugar);
  v.Float("glassCoffee", s.glassCoffee);
  v.Float("glassMilk", s.glassMilk);
  v.Float("glassSugar", s.glassSugar);
  v.Float("orderCupCoffee", s.orderCupCoffee);
  v.Float("orderCupMilk", s.orderCupMilk);
  v.Float("orderCupSugar", s.orderCupSugar);
  v.Float("orderGlassCoffee", s.orderGlassCoffee);
  v.Float("orderGlassMilk", s.orderGlassMilk);
  v.Float("orderGlassSugar", s.orderGlassSugar);
  v.Int("demoStage", s.demoStage);
  v.Float("introAngle", s.introAngle);
  v.Int("coincidentHit", s.coincidentHit);
  v.Int("solidHit", s.solidHit);
  v.Int("bucketDipped", s.bucketDipped);
  v.Float("edgeOffsetX", s.edgeOffsetX);
  v.Float("edgeOffsetZ", s.edgeOffsetZ);
  v.Int("elapsedSeconds", s.elapsedSeconds);
  v.Int("orderDonePhase", s.orderDonePhase);
  v.Int("resultCountTicks", s.resultCountTicks);
  v.Int("orderScore", s.orderScore);
  v.Int("playbackIndex", s.playbackIndex);
  v.Int("recordCount", s.recordCount);
  v.Int("stageNumber", s.stageNumber);
  v.Int("titleIdleSteps", s.titleIdleSteps);
  v.Int("buttonConfigActive", s.buttonConfigActive);
  v.Int("configCursor", s.configCursor);
  v.Int("joystickAvailable", s.joystickAvailable);
  v.Int("joyUp", s.joyUp);
  v.Int("joyRight", s.joyRight);
  v.Int("joyDown", s.joyDown);
  v.Int("joyLeft", s.joyLeft);
  v.IntArray("buttonDown", std::span(s.buttonDown).subspan(1));
  v.Int("musicEnabled", s.musicEnabled);
}

}  // namespace game
