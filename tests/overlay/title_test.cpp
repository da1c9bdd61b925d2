#include <unistd.h>

#include <filesystem>
#include <vector>

#include "demo/demo.h"
#include "game/game_state.h"
#include "overlay_screen.h"
#include "platform/os/module_path.h"
#include "scene/scene.h"
#include "scene/scene_objects.h"

namespace overlay_test {

namespace {

namespace fs = std::filesystem;
namespace os = platform::os;
using game::gameState;
using platform::rm::Vec3;
using scene::objects;

// The title on the built scene, with the executable's folder (where the demo
// file is looked for) in a folder of the test's own.
class Title : public OverlayScreen {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("zarn-title-" + std::to_string(::getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    os::SetModuleFileNameOverride((dir / "zarn").string());
    StartUp();
    objects = scene::SceneObjects{};
    gameState.speedFactor = 2.0f;
    ASSERT_TRUE(scene::BuildScene());
  }
  void TearDown() override {
    for (int key : {int(os::vk::kReturn), int(os::vk::kUp), int(os::vk::kDown), int('J'), int(os::vk::kSpace)})
      Hold(key, false);
    scene::ReleaseScene();
    vexel::VexelCleanup();
    os::SetModuleFileNameOverride("");
    fs::remove_all(dir);
  }

  // Title steps until the title reaches `phase` (false if it never does).
  static bool StepUntil(int phase, int limit = 3000) {
    for (int i = 0; i < limit && gameState.titlePhase != phase; ++i) overlay::TitleStep();
    return gameState.titlePhase == phase;
  }
  static Vec3 Position(const scene::Ref<scene::Frame>& f, const scene::Ref<scene::Frame>& ref) {
    Vec3 p;
    f->GetPosition(ref.get(), &p);
    return p;
  }
  void WriteDemoFile(int stage) {
    gameState.stageNumber = stage;
    gameState.recordCount = 0;
    ASSERT_EQ(demo::SaveDemo(), 1);
    gameState.stageNumber = 1;
  }

  fs::path dir;
};

TEST_F(Title, ShowRunsThroughItsPhasesAndStartsAgainWithoutADemo) {
  struct Change {
    int step, phase;
  };
  std::vector<Change> changes;
  int phase = gameState.titlePhase;
  for (int step = 0; step < 1700; ++step) {
    overlay::TitleStep();
    if (gameState.titlePhase != phase) changes.push_back({step, phase = gameState.titlePhase});
    if (step == 0) {
      EXPECT_EQ(gameState.cameraIndex, 9);
      Vec3 light = Position(objects.lightFrame, objects.sceneRoot);
      EXPECT_FLOAT_EQ(light.y, 3050);
    }
  }
  std::vector<int> order;
  for (const Change& c : changes) order.push_back(c.phase);
  ASSERT_EQ(order, (std::vector<int>{2, 3, 4, 5, 6, 1, 2}));
  EXPECT_EQ(changes[0].step, 0) << "set-up and the first drive-in step together";
  EXPECT_NEAR(changes[1].step, 630, 2) << "z from 70 to 7 by 0.1";
  EXPECT_NEAR(changes[2].step, 770, 2) << "on to -7";
  EXPECT_NEAR(changes[3].step, 830, 3) << "two quarter turns of 100 steps";
  EXPECT_NEAR(changes[4].step, 1330, 3) << "the boom rises by 0.005 to -2.5";
  EXPECT_NEAR(changes[5].step, changes[3].step + 801, 1) << "idle from the moment the menu is up";
}

TEST_F(Title, ShowEndsWithTheExcavatorTurnedAboutOnTheStand) {
  ASSERT_TRUE(StepUntil(5));
  EXPECT_FLOAT_EQ(gameState.titleBaseZ, -7);
  EXPECT_EQ(gameState.titleCamZ, 0);
  EXPECT_EQ(gameState.titleCamRise, 0);
  Vec3 base = Position(objects.baseFrame, objects.sceneRoot);
  EXPECT_FLOAT_EQ(base.x, -170);
  EXPECT_FLOAT_EQ(base.z, -7);
  Vec3 camera = Position(objects.camera[9], objects.sceneRoot);
  EXPECT_FLOAT_EQ(camera.y, 3000);
  Vec3 dir, up;
  objects.bodyFrame->GetOrientation(objects.baseFrame.get(), &dir, &up);
  EXPECT_LT(dir.z, -0.99f) << "half a turn";
  EXPECT_NEAR(Position(objects.carryMilkFrame, objects.anchorFrame).y, 2000, 1e-3);
}

TEST_F(Title, EnterStartsTheGameInEveryPhase) {
  for (int phase = 1; phase <= 6; ++phase) {
    gameState.titlePhase = 1;
    ASSERT_TRUE(StepUntil(phase)) << phase;
    Hold(os::vk::kReturn, true);
    overlay::TitleStep();
    Hold(os::vk::kReturn, false);
    EXPECT_EQ(gameState.titlePhase, 0) << phase;
    EXPECT_EQ(gameState.stageIntroActive, 1);
    EXPECT_EQ(gameState.cameraIndex, 8);
    gameState.stageIntroActive = 0;
  }
  // The joystick's first slot does the same; with the configuration open
  // neither does anything.
  gameState.titlePhase = 6;
  gameState.buttonDown[1] = 1;
  gameState.buttonConfigActive = 1;
  overlay::TitleStep();
  EXPECT_EQ(gameState.titlePhase, 6);
  gameState.buttonConfigActive = 0;
  overlay::TitleStep();
  EXPECT_EQ(gameState.titlePhase, 0);
}

TEST_F(Title, SpeedKeysStepWithoutLatchAndClampAtOneAndFive) {
  ASSERT_TRUE(StepUntil(5));
  gameState.speedFactor = 2.0f;
  Hold(os::vk::kUp, true);
  for (int i = 0; i < 3; ++i) overlay::TitleStep();
  EXPECT_NEAR(gameState.speedFactor, 2.15f, 1e-5);
  gameState.speedFactor = 4.98f;
  for (int i = 0; i < 3; ++i) overlay::TitleStep();
  EXPECT_EQ(gameState.speedFactor, 5.0f);
  overlay::DrawOverlay();
  EXPECT_TRUE(TextAt(4, 420, 540, "100"));
  Hold(os::vk::kUp, false);

  gameState.speedFactor = 1.0f;
  gameState.joyDown = 1;
  overlay::TitleStep();
  EXPECT_EQ(gameState.speedFactor, 1.0f);
  ClearBack();
  overlay::DrawOverlay();
  EXPECT_TRUE(TextAt(4, 420, 540, "20"));
  gameState.joyDown = 0;

  gameState.titlePhase = 4;  // before the menu the keys do nothing
  Hold(os::vk::kDown, true);
  gameState.speedFactor = 3.0f;
  overlay::TitleStep();
  EXPECT_EQ(gameState.speedFactor, 3.0f);
}

TEST_F(Title, LongIdleStartsTheDemoWhenItsFileLoads) {
  WriteDemoFile(3);
  ASSERT_TRUE(StepUntil(6));
  gameState.titleIdleSteps = 799;
  overlay::TitleStep();
  EXPECT_EQ(gameState.titlePhase, 6) << "800 is not yet more than 800";
  overlay::TitleStep();
  EXPECT_EQ(gameState.titlePhase, 0);
  EXPECT_EQ(gameState.attractDemoActive, 1);
  EXPECT_EQ(gameState.demoStage, 3);
  EXPECT_EQ(gameState.cameraIndex, 10);
  EXPECT_EQ(gameState.playbackIndex, 0);
  EXPECT_NEAR(Position(objects.cupContentFrame, objects.sceneRoot).y, 1000, 1e-3);
}

TEST_F(Title, ConfigurationScreenHoldsTheIdleCountAndLeavesItJustShortOfTheDemo) {
  ASSERT_TRUE(StepUntil(6));
  const int idle = gameState.titleIdleSteps;
  Hold('J', true);
  overlay::TitleStep();
  Hold('J', false);
  EXPECT_EQ(gameState.buttonConfigActive, 1);
  EXPECT_EQ(gameState.configCursor, 1);
  EXPECT_FLOAT_EQ(Position(objects.lightFrame, objects.sceneRoot).x, 50000) << "the stand in ambient light only";
  for (int i = 0; i < 1000; ++i) overlay::TitleStep();
  EXPECT_EQ(gameState.titleIdleSteps, idle);
  EXPECT_EQ(gameState.titlePhase, 6);

  Hold(os::vk::kSpace, true);
  overlay::TitleStep();
  Hold(os::vk::kSpace, false);
  EXPECT_EQ(gameState.buttonConfigActive, 0);
  EXPECT_EQ(gameState.titleIdleSteps, 799);
  EXPECT_FLOAT_EQ(Position(objects.lightFrame, objects.sceneRoot).y, 3050);
  overlay::TitleStep();
  EXPECT_EQ(gameState.titlePhase, 6);
  overlay::TitleStep();
  EXPECT_EQ(gameState.titlePhase, 1) << "two steps later, and no demo file: the show again";
}

}  // namespace

}  // namespace overlay_test
