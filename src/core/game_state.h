#pragma once
// The program-wide game record shared by every part of the game,
// value-initialised to the values the game starts with. Flags are bools and
// phases enums; the field table (game_state_fields.h) shows each as the
// 32-bit code the saved state has always had.
#include <array>
#include <cstdint>

#include "core/game_phases.h"
#include "core/ingredients.h"

namespace platform::os {
class Window;
}

namespace game {

struct GameState {
  // Configuration
  float speedFactor = 0.0f;  // scene time per rendered frame; 0 = not calibrated
  std::array<std::int32_t, 9> buttonAssign{0, -1, -1, -1, -1, -1, -1, -1, -1};  // slots 1..8

  // Display mode and window
  std::int32_t displayModeIndex = 0;
  std::int32_t displayWidth = 0;
  std::int32_t displayHeight = 0;
  std::int32_t displayBitDepth = 0;
  bool windowedMode = false;
  void* appInstance = nullptr;
  platform::os::Window* mainWindow = nullptr;

  // Mode flags, in the order the game step tests them
  CalibrationPhase calibrationPhase = CalibrationPhase::Off;
  bool attractDemoActive = false;
  bool replayActive = false;
  ScreenPhase allClearedPhase = ScreenPhase::Off;
  TitlePhase titlePhase = TitlePhase::SetUp;
  bool stageIntroActive = false;
  ScreenPhase resultPhase = ScreenPhase::Off;
  FallPhase fallPhase = FallPhase::OnTable;

  // Speed calibration
  std::int32_t calibrationFrames = 0;
  float showcaseAngle = 0.0f;

  // Step, cameras, latches
  std::int32_t cameraIndex = 8;
  std::int32_t renderQualityIndex = 1;
  bool qualityKeyLatch = false;
  bool toggleKeyLatch = false;
  bool musicKeyLatch = false;
  bool configKeyLatch = false;
  bool keyGuideVisible = false;
  bool poseRevertedByCollision = false;
  bool poseRevertedByBase = false;

  // The excavator's pose at the end of the last playing step, relative to the
  // scene root: for chassis, body, boom, arm and bucket in turn, position,
  // direction and up (9 floats each).
  std::array<float, 45> savedPose{};
  // Whether the bucket counted as dipped in that pose: a pose is accepted
  // together with its dip state, and an undo must bring both back.
  bool savedBucketDipped = false;
  std::array<float, 3> fallVelocity{};
  float fallSpinRate = 0.0f;

  // Scooping and pouring
  bool bucketDippedBefore = false;
  bool bucketLoaded = false;
  float bucketAmount = 0.0f;
  float bucketAmountBefore = 0.0f;
  std::int32_t bucketTiltSide = 0;
  Ingredient bucketIngredient = Ingredient::None;
  IngredientAmounts cup, glass;  // poured so far

  // The order; a vessel is in play when its coffee is above 0
  IngredientAmounts orderCup, orderGlass;
  std::int32_t demoStage = 1;
  std::int32_t demoMilkOrdered = 0, demoSugarOrdered = 0;
  float introAngle = 0.0f;

  // Collision probes and the table edge
  bool coincidentHit = false;
  bool solidHit = false;
  bool bucketDipped = false;
  float edgeOffsetX = 0.0f, edgeOffsetZ = 0.0f;

  // Clock, result screen, replay and demo
  std::int32_t elapsedSeconds = 0;
  OrderDonePhase orderDonePhase = OrderDonePhase::Waiting;
  std::int32_t resultCountTicks = 0;
  std::int32_t orderScore = 0;
  std::int32_t playbackIndex = 0;
  std::int32_t recordCount = 0;
  std::int32_t stageNumber = 1;

  // Title and button configuration
  std::int32_t titleIdleSteps = 0;
  float titleBaseZ = 70.0f, titleCamZ = 60.0f, titleCamRise = 60.0f;
  float titleWheelPhase = 0.0f, titleSwingT = 0.0f, titleSwingSign = -1.0f;
  float titleBoomLift = 0.0f, titleArmLift = 0.0f;
  bool buttonConfigActive = false;
  std::int32_t configCursor = 0;

  // Input
  bool joystickAvailable = false;
  bool joyUp = false;
  bool joyRight = false;
  bool joyDown = false;
  bool joyLeft = false;
  std::array<bool, 9> buttonDown{};  // slots 1..8

  // Music
  bool musicEnabled = true;
};

extern GameState gameState;

}  // namespace game
