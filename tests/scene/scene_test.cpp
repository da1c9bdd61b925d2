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
#include "support/succeeds.h"

namespace fs = std::filesystem;
namespace os = platform::os;
using game::gameState;
using scene::objects;

namespace {

platform::rm::Vec3 WorldPosition(const scene::Ref<scene::Frame>& f) {
  platform::rm::Vec3 p;
  EXPECT_OK(f->GetPosition(objects.sceneRoot.get(), &p));
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
  EXPECT_OK(objects.baseFrame->SetVelocity(objects.sceneRoot.get(), 1, 0, 0, false));
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
  gameState.poseRevertedByBase = true;
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
