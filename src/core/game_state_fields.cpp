#include "core/game_state_fields.h"

#include <array>

namespace game {

namespace {

// One field per ingredient, named in ingredient order.
void Amounts(FieldVisitor& v, const std::array<std::string_view, 3>& names, const IngredientAmounts& amounts) {
  for (Ingredient i : kIngredients) v.Float(names[IngredientSlot(i)], amounts[i]);
}

}  // namespace

void VisitFields(const GameState& s, FieldVisitor& v) {
  v.Float("speedFactor", s.speedFactor);
  // Slot 0 is not used: the arrays list slots 1..8.
  v.IntArray("buttonAssign", std::span(s.buttonAssign).subspan(1));
  v.Int("displayModeIndex", s.displayModeIndex);
  v.Int("displayWidth", s.displayWidth);
  v.Int("displayHeight", s.displayHeight);
  v.Int("displayBitDepth", s.displayBitDepth);
  v.Int("windowedMode", s.windowedMode);
  v.Int("calibrationPhase", Code(s.calibrationPhase));
  v.Int("attractDemoActive", s.attractDemoActive);
  v.Int("replayActive", s.replayActive);
  v.Int("allClearedPhase", Code(s.allClearedPhase));
  v.Int("titlePhase", Code(s.titlePhase));
  v.Int("stageIntroActive", s.stageIntroActive);
  v.Int("resultPhase", Code(s.resultPhase));
  v.Int("fallPhase", Code(s.fallPhase));
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
  v.Int("savedBucketDipped", s.savedBucketDipped);
  v.FloatArray("fallVelocity", s.fallVelocity);
  v.Float("fallSpinRate", s.fallSpinRate);
  v.Int("bucketDippedBefore", s.bucketDippedBefore);
  v.Int("bucketLoaded", s.bucketLoaded);
  v.Float("bucketAmount", s.bucketAmount);
  v.Float("bucketAmountBefore", s.bucketAmountBefore);
  v.Int("bucketTiltSide", s.bucketTiltSide);
  v.Int("bucketIngredient", static_cast<std::int32_t>(s.bucketIngredient));
  Amounts(v, {"cupCoffee", "cupMilk", "cupSugar"}, s.cup);
  Amounts(v, {"glassCoffee", "glassMilk", "glassSugar"}, s.glass);
  Amounts(v, {"orderCupCoffee", "orderCupMilk", "orderCupSugar"}, s.orderCup);
  Amounts(v, {"orderGlassCoffee", "orderGlassMilk", "orderGlassSugar"}, s.orderGlass);
  v.Int("demoStage", s.demoStage);
  v.Int("demoMilkOrdered", s.demoMilkOrdered);
  v.Int("demoSugarOrdered", s.demoSugarOrdered);
  v.Float("introAngle", s.introAngle);
  v.Int("coincidentHit", s.coincidentHit);
  v.Int("solidHit", s.solidHit);
  v.Int("bucketDipped", s.bucketDipped);
  v.Float("edgeOffsetX", s.edgeOffsetX);
  v.Float("edgeOffsetZ", s.edgeOffsetZ);
  v.Int("elapsedSeconds", s.elapsedSeconds);
  v.Int("orderDonePhase", Code(s.orderDonePhase));
  v.Int("resultCountTicks", s.resultCountTicks);
  v.Int("orderScore", s.orderScore);
  v.Int("playbackIndex", s.playbackIndex);
  v.Int("recordCount", s.recordCount);
  v.Int("stageNumber", s.stageNumber);
  v.Int("titleIdleSteps", s.titleIdleSteps);
  v.Float("titleBaseZ", s.titleBaseZ);
  v.Float("titleCamZ", s.titleCamZ);
  v.Float("titleCamRise", s.titleCamRise);
  v.Float("titleWheelPhase", s.titleWheelPhase);
  v.Float("titleSwingT", s.titleSwingT);
  v.Float("titleSwingSign", s.titleSwingSign);
  v.Float("titleBoomLift", s.titleBoomLift);
  v.Float("titleArmLift", s.titleArmLift);
  v.Int("buttonConfigActive", s.buttonConfigActive);
  v.Int("configCursor", s.configCursor);
  v.Int("joystickAvailable", s.joystickAvailable);
  v.Int("joyUp", s.joyUp);
  v.Int("joyRight", s.joyRight);
  v.Int("joyDown", s.joyDown);
  v.Int("joyLeft", s.joyLeft);
  std::array<std::int32_t, 8> buttonsDown{};
  for (std::size_t slot = 1; slot < s.buttonDown.size(); ++slot) buttonsDown[slot - 1] = s.buttonDown[slot] ? 1 : 0;
  v.IntArray("buttonDown", buttonsDown);
  v.Int("musicEnabled", s.musicEnabled);
}

}  // namespace game
