#include <filesystem>
#include <vector>

#include "demo/demo.h"
#include "game/title_menu.h"
#include "overlay_screen.h"
#include "platform/os/module_path.h"
#include "scene/scene.h"
#include "scene/scene_objects.h"
#include "support/scratch.h"
#include "support/succeeds.h"

namespace overlay_test {
namespace {

namespace fs = std::filesystem;
namespace vk = platform::os::vk;
using game::gameState;
using scene::objects;

// The built scene, and a folder of the test's own where the demo file is
// looked for.
class Title : public OverlayScreen {
 protected:
  void SetUp() override {
    dir = test_support::ScratchFolder("title");
    platform::os::SetModuleFileNameOverride((dir / "zarn").string());
    StartUp();
    objects = scene::SceneObjects{};
    gameState.speedFactor = 2.0f;
    ASSERT_TRUE(scene::BuildScene());
  }
  void TearDown() override {
    scene::ReleaseScene();
    OverlayScreen::TearDown();
    platform::os::SetModuleFileNameOverride("");
    fs::remove_all(dir);
  }
  static bool StepUntil(int code) {
    const auto phase = static_cast<game::TitlePhase>(code);
    for (int i = 0; i < 3000 && gameState.titlePhase != phase; ++i) game::TitleStep();
    return gameState.titlePhase == phase;
  }
  static void Press(int key) {
    Hold(key);
    game::TitleStep();
    Hold(key, false);
  }
  static float LightY() {
    platform::rm::Vec3 p;
    EXPECT_OK(objects.lightFrame->GetPosition(objects.sceneRoot.get(), &p));
    return p.y;
  }
  fs::path dir;
};

TEST_F(Title, EnterStartsTheGameInEveryPhase) {
  for (int phase = 1; phase <= 6; ++phase) {
    gameState.titlePhase = game::TitlePhase::SetUp;
    ASSERT_TRUE(StepUntil(phase));
    Press(vk::kReturn);
    EXPECT_EQ(gameState.titlePhase, game::TitlePhase::Off) << phase;
    EXPECT_EQ(gameState.stageIntroActive, 1);
    EXPECT_EQ(gameState.cameraIndex, 8);
  }
  gameState.titlePhase = game::TitlePhase::Menu;
  gameState.buttonDown[1] = gameState.buttonConfigActive = true;  // the joystick's Enter, but the screen is open
  game::TitleStep();
  EXPECT_EQ(gameState.titlePhase, game::TitlePhase::Menu);
}

TEST_F(Title, SpeedKeysHaveNoLatchAndClampAtOneAndFive) {
  ASSERT_TRUE(StepUntil(5));
  Hold(vk::kUp);
  for (int i = 0; i < 3; ++i) game::TitleStep();
  EXPECT_NEAR(gameState.speedFactor, 2.15f, 1e-5);
  gameState.speedFactor = 4.98f;
  for (int i = 0; i < 2; ++i) game::TitleStep();
  EXPECT_EQ(gameState.speedFactor, 5.0f);
  overlay::DrawOverlay();
  EXPECT_TRUE(TextAt(4, 420, 540, "100"));
  Hold(vk::kUp, false);
  gameState.speedFactor = 1.0f;
  Hold(vk::kDown);
  game::TitleStep();
  EXPECT_EQ(gameState.speedFactor, 1.0f);
  ClearBack();
  overlay::DrawOverlay();
  EXPECT_TRUE(TextAt(4, 420, 540, "20"));
}

TEST_F(Title, LongIdleStartsTheDemoWhenItsFileLoads) {
  gameState.stageNumber = 3;
  ASSERT_TRUE(demo::SaveDemo().Ok());
  ASSERT_TRUE(StepUntil(6));
  gameState.titleIdleSteps = 799;
  game::TitleStep();
  EXPECT_EQ(gameState.titlePhase, game::TitlePhase::Menu) << "800 is not more than 800";
  game::TitleStep();
  EXPECT_EQ(gameState.titlePhase, game::TitlePhase::Off);
  EXPECT_EQ(gameState.attractDemoActive, 1);
  EXPECT_EQ(gameState.demoStage, 3);
  EXPECT_EQ(gameState.cameraIndex, 10);
}

}  // namespace
}  // namespace overlay_test
