#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "overlay/overlay.h"
#include "platform/os/debug_output.h"
#include "scene/frame_poses.h"
#include "scene/scene.h"
#include "scene/scene_objects.h"
#include "support/fresh_state.h"

namespace fs = std::filesystem;
namespace os = platform::os;
using game::gameState;
using scene::objects;

namespace {

platform::rm::Vec3 WorldPosition(const scene::Ref<scene::Frame>& f) {
  platform::rm::Vec3 p;
  f->GetPosition(objects.sceneRoot.get(), &p);
  return p;
}

class Scene : public ::testing::Test {
 protected:
  void SetUp() override {
    test_support::FreshState();
    objects = scene::SceneObjects{};
    app::SelectDisplayMode(0);
    ASSERT_TRUE(app::CreateMainWindow(nullptr, 1));
    ASSERT_TRUE(vexel::InitGraphics());
  }
  void TearDown() override {
    scene::ReleaseScene();
    vexel::VexelCleanup();
  }
};

}  // namespace

TEST_F(Scene, BuildAsksForCalibrationOnlyWithoutASpeed) {
  gameState.speedFactor = 2.5f;
  ASSERT_TRUE(scene::BuildScene());
  EXPECT_EQ(gameState.calibrationPhase, 0);
  EXPECT_EQ(gameState.keyGuideVisible, 1);
  EXPECT_EQ(vexel::vexelContext.ready, 1);
  scene::ReleaseScene();
  gameState.speedFactor = 0.0f;
  scene::BuildScene();
  EXPECT_EQ(gameState.calibrationPhase, 1);
}

TEST_F(Scene, EveryNamedFrameExistsWhereTheLayoutPutsIt) {
  scene::BuildScene();
  EXPECT_EQ(scene::NamedFramePoses().size(), scene::NamedFrames(objects).size());
  auto near = [](platform::rm::Vec3 a, platform::rm::Vec3 b) {
    return std::abs(a.x - b.x) < 1e-3f && std::abs(a.y - b.y) < 1e-3f && std::abs(a.z - b.z) < 1e-3f;
  };
  EXPECT_TRUE(near(WorldPosition(objects.bucketFrame), {15, 3.1f + 11.5f + 0.1f, -2 - 7.4f - 7.7f}));
  EXPECT_TRUE(near(WorldPosition(objects.coffeeRFrame), {-62, -32, 35}));
  EXPECT_TRUE(near(WorldPosition(objects.camera[3]), {15, 10.1f, 8}));
  EXPECT_TRUE(near(WorldPosition(objects.camera[5]), WorldPosition(objects.bucketFrame) + platform::rm::Vec3{25, 0, 2}));
  platform::rm::Vec3 dir, up;
  objects.camera[4]->GetOrientation(objects.sceneRoot.get(), &dir, &up);
  EXPECT_TRUE(near(dir, {0, -1, 0}));
  EXPECT_TRUE(near(up, {0, 0, -1}));
  EXPECT_EQ(vexel::vexelContext.viewport->GetCamera(), objects.camera[1].get());
}

TEST_F(Scene, CoversAreEmptyAndLoadsAndContentsParkedOutOfView) {
  scene::BuildScene();
  for (auto* cover : {&objects.coffeeMarkFrame, &objects.milkMarkFrame, &objects.sugarMarkFrame})
    EXPECT_TRUE((*cover)->Visuals().empty());
  EXPECT_GT(WorldPosition(objects.cupContentFrame).y, 900);
  EXPECT_GT(WorldPosition(objects.glassContentFrame).y, 900);
  for (auto* load : {&objects.carryCoffeeFrame, &objects.carryMilkFrame, &objects.carrySugarFrame})
    EXPECT_EQ(WorldPosition(*load).y, 2000);
  EXPECT_TRUE(objects.coffeeMarkMesh && objects.milkMarkMesh && objects.sugarMarkMesh);
  EXPECT_TRUE(objects.cupContentMesh && objects.glassContentMesh);
}

TEST_F(Scene, MissingModelsAreNamedOnceAndTheGameRunsOn) {
  fs::path empty = fs::temp_directory_path() / ("zarn-nomodels-" + std::to_string(::getpid()));
  fs::create_directories(empty);
  fs::path here = fs::current_path();
  fs::current_path(empty);
  os::CaptureDebugOutput(true);
  os::ClearCapturedDebugOutput();
  gameState.speedFactor = 1.0f;
  EXPECT_TRUE(scene::BuildScene());
  int named = 0;
  for (const std::string& line : os::CapturedDebugOutput()) named += line.find("cannot load") != std::string::npos;
  EXPECT_EQ(named, 43);
  EXPECT_TRUE(scene::RenderFrame());
  os::CaptureDebugOutput(false);
  fs::current_path(here);
  fs::remove_all(empty);
}

TEST_F(Scene, InactiveFullScreenNeitherMovesNorRenders) {
  gameState.speedFactor = 1.0f;
  scene::BuildScene();
  objects.baseFrame->SetVelocity(objects.sceneRoot.get(), 1, 0, 0, false);
  vexel::ActivateHandle(0);
  EXPECT_FALSE(scene::RenderFrame());
  EXPECT_EQ(WorldPosition(objects.baseFrame).x, 15);
  vexel::ActivateHandle(1);
  EXPECT_TRUE(scene::RenderFrame());
  EXPECT_EQ(WorldPosition(objects.baseFrame).x, 16);
}

TEST_F(Scene, PoseRevertSkipsThePresentAndIsCleared) {
  gameState.speedFactor = 1.0f;
  scene::BuildScene();
  os::KeepPresentedPictures(true);
  gameState.poseRevertedByBase = 1;
  scene::RenderFrame();
  EXPECT_EQ(os::LastPresentedPicture().width, 0);
  EXPECT_EQ(gameState.poseRevertedByBase, 0);
  scene::RenderFrame();
  EXPECT_EQ(os::LastPresentedPicture().width, 800);
}

TEST(EightBitScene, KeepsItsColoursUnderTheOverlayPalette) {
  ASSERT_TRUE(test_support::FreshWindow(1));  // 800x600x8, full screen
  objects = scene::SceneObjects{};
  ASSERT_TRUE(vexel::InitGraphics());
  overlay::LoadOverlayBitmaps();
  gameState.speedFactor = 1.0f;
  scene::BuildScene();
  // The last bitmap's table is attached to the back buffer...
  ASSERT_NE(vexel::vexelContext.backBuffer->GetPalette(), vexel::vexelContext.palette.get());
  os::KeepPresentedPictures(true);
  overlay::RenderFrame();
  overlay::RenderFrame();
  // ...but the scene is matched against the ramp the display shows: the
  // background stays green.
  std::uint32_t pixel = os::LastPresentedPicture().pixels[10 * 800 + 10];
  int r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
  EXPECT_GT(g, 80);
  EXPECT_LT(r, 60);
  EXPECT_LT(b, 60);
  overlay::ReleaseOverlayObjects();
  scene::ReleaseScene();
  vexel::VexelCleanup();
}
