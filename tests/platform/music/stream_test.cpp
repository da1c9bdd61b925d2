// The music reaches the sound device: rendered by the main loop into the
// queued source, dropped at once on a stop, gone after the close.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "platform/music/loader.h"
#include "platform/music/performance.h"
#include "platform/sound/sound_device.h"

namespace {

using namespace platform::music;
using platform::Ref;
using platform::kOk;
namespace snd = platform::sound;

class MusicOnDevice : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(snd::Device::Create(&device, snd::DeviceKind::kLoopback), kOk);
    ASSERT_EQ(CreatePerformance(&performance), kOk);
    ASSERT_EQ(performance->Init(device), kOk);
    ASSERT_EQ(performance->AddPort(), kOk);
    ASSERT_TRUE(performance->HasOutput());
    EXPECT_EQ(performance->SampleRate(), device->SampleRate());
    Ref<Loader> loader;
    CreateLoader(&loader);
    loader->SetSearchDirectory(ZARN_RUN_DIR);
    ASSERT_EQ(loader->GetObject("bgm1.mid", &bgm1), kOk);
  }

  // Turns of the main loop: top up the stream, let the device play a turn.
  int PlayTurns(int turns) {
    int peak = 0;
    for (int i = 0; i < turns; ++i) {
      performance->Service();
      for (std::int16_t s : device->RenderSamples(735)) peak = std::max(peak, std::abs(int{s}));
    }
    return peak;
  }

  Ref<snd::Device> device;
  Ref<Performance> performance;
  Ref<Segment> bgm1;
};

TEST_F(MusicOnDevice, PlaysThroughTheQueuedSourceAndStopsAtOnce) {
  EXPECT_LT(PlayTurns(10), 100);  // nothing started yet
  ASSERT_EQ(performance->PlaySegment(bgm1.get(), 0, 0, nullptr), kOk);
  EXPECT_GT(PlayTurns(60), 1000);
  performance->Stop();
  // What was already queued is dropped; only the effects' tail may follow.
  PlayTurns(20);
  EXPECT_LT(PlayTurns(10), 300);
}

TEST_F(MusicOnDevice, ClosingDownReleasesTheSource) {
  ASSERT_EQ(performance->PlaySegment(bgm1.get(), 0, 0, nullptr), kOk);
  PlayTurns(5);
  EXPECT_EQ(performance->CloseDown(), kOk);
  EXPECT_FALSE(performance->HasOutput());
  PlayTurns(10);
  EXPECT_LT(PlayTurns(5), 100);
  performance->Service();  // harmless after the close
}

}  // namespace
