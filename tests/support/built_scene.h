#pragma once
// A fixture with the whole scene built as at start-up (with whatever models
// the working directory holds; without them every frame still exists).
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "app/mode_dialog.h"
#include "scene/scene.h"
#include "scene/scene_objects.h"
#include "support/fresh_state.h"
#include "support/succeeds.h"

namespace test_support {

class BuiltScene : public ::testing::Test {
 protected:
  void SetUp() override {
    FreshState();
    scene::objects = scene::SceneObjects{};
    app::SelectDisplayMode(0);
    ASSERT_TRUE(app::CreateMainWindow(nullptr, 1));
    ASSERT_TRUE(vexel::InitGraphics());
    ASSERT_TRUE(scene::BuildScene());
  }
  void TearDown() override {
    scene::ReleaseScene();
    vexel::VexelCleanup();
  }

  static platform::rm::Vec3 PositionIn(const scene::Ref<scene::Frame>& f, const scene::Ref<scene::Frame>& ref) {
    platform::rm::Vec3 p;
    EXPECT_OK(f->GetPosition(ref.get(), &p));
    return p;
  }
  static platform::rm::Vec3 WorldPosition(const scene::Ref<scene::Frame>& f) {
    return PositionIn(f, scene::objects.sceneRoot);
  }
};

}  // namespace test_support
