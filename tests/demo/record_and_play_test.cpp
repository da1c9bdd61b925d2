#include <gtest/gtest.h>

#include "demo/demo.h"
#include "demo/demo_file_reader.h"
#include "demo/demo_record.h"
#include "support/built_scene.h"
#include "support/succeeds.h"

using game::gameState;
using platform::rm::Vec3;
using scene::objects;

namespace {

class RecordAndPlay : public test_support::BuiltScene {
 protected:
  void SetUp() override {
    BuiltScene::SetUp();
    for (auto& channel : demo::demoChannels) channel.fill(0);
    demo::demoPropPoses.fill(0);
  }
  // Sample n puts the chassis at x = n and the bucket's heap at z = -n.
  void RecordRun(int samples) {
    for (int n = 1; n <= samples; ++n) {
      EXPECT_OK(objects.baseFrame->SetPosition(objects.sceneRoot.get(), float(n), 0.1f, 50));
      EXPECT_OK(objects.carrySugarFrame->SetPosition(objects.sceneRoot.get(), 0, 5, -float(n)));
      demo::RecordDemoSample();
    }
  }
  static float X(const scene::Ref<scene::Frame>& f) { return WorldPosition(f).x; }
};

}  // namespace

TEST_F(RecordAndPlay, ARunPlaysBackSampleBySampleAndStopsAfterTheLast) {
  RecordRun(25);
  EXPECT_EQ(gameState.recordCount, 25);
  EXPECT_OK(objects.baseFrame->SetPosition(objects.sceneRoot.get(), -40, 0.1f, 50));
  gameState.playbackIndex = 0;
  for (int n = 1; n <= 25; ++n) {
    demo::PlayDemoSample();
    EXPECT_EQ(gameState.playbackIndex, n);
    EXPECT_FLOAT_EQ(X(objects.baseFrame), float(n));
    EXPECT_FLOAT_EQ(WorldPosition(objects.carrySugarFrame).z, -float(n));
  }
  EXPECT_OK(objects.baseFrame->SetPosition(objects.sceneRoot.get(), -40, 0.1f, 50));
  demo::PlayDemoSample();
  EXPECT_EQ(gameState.playbackIndex, 26) << "past the count: the view ends the playback";
  EXPECT_FLOAT_EQ(X(objects.baseFrame), -40) << "nothing played past the last sample";
}

TEST_F(RecordAndPlay, TheCountStopsAtTheRecordsEndAndTheLastSampleIsOverwritten) {
  gameState.recordCount = demo::kMaxSamples - 2;
  RecordRun(5);  // samples 19997, 19998, then 19998 three more times
  EXPECT_EQ(gameState.recordCount, 19998);
  EXPECT_FLOAT_EQ(demo::demoChannels[0][19998], 5.0f);
  EXPECT_FLOAT_EQ(demo::demoChannels[0][19997], 1.0f);
  EXPECT_EQ(demo::demoChannels[0][19999], 0.0f) << "index 19999 stays unused";

  gameState.recordCount = -7;  // not a count the game makes; still inside the channels
  RecordRun(1);
  EXPECT_EQ(gameState.recordCount, 1);
}

TEST_F(RecordAndPlay, PropsAreTakenWithTheFirstSampleAndRestoredWithIt) {
  EXPECT_OK(objects.cupFrame->SetPosition(objects.sceneRoot.get(), 45, -21, 50));
  RecordRun(2);
  EXPECT_OK(objects.cupFrame->SetPosition(objects.sceneRoot.get(), 0, 900, 0));
  RecordRun(1);  // a later sample does not take the props again
  EXPECT_FLOAT_EQ(demo::demoPropPoses[2 * 9 + 1], -21.0f);

  gameState.playbackIndex = 0;
  demo::PlayDemoSample();
  EXPECT_FLOAT_EQ(WorldPosition(objects.cupFrame).y, -21.0f);
  EXPECT_OK(objects.cupFrame->SetPosition(objects.sceneRoot.get(), 0, 900, 0));
  demo::PlayDemoSample();
  EXPECT_FLOAT_EQ(WorldPosition(objects.cupFrame).y, 900.0f) << "only sample 1 restores the props";
}
