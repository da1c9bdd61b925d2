#include "demo/demo.h"

#include <algorithm>
#include <limits>

#include "core/game_state.h"
#include "demo/demo_frames.h"
#include "demo/demo_record.h"
#include "platform/os/user_folders.h"

namespace demo {

namespace {

void ReadSample(int index) {
  auto frames = SampledFrames();
  for (int f = 0; f < kSampledFrames; ++f) {
    float pose[kPoseValues];
    if (!frames[f]) continue;
    ReadPose(frames[f], pose);
    for (int v = 0; v < kPoseValues; ++v) demoChannels[f * kPoseValues + v][index] = pose[v];
  }
}

void ApplySample(int index) {
  auto frames = SampledFrames();
  for (int f = 0; f < kSampledFrames; ++f) {
    float pose[kPoseValues];
    for (int v = 0; v < kPoseValues; ++v) pose[v] = demoChannels[f * kPoseValues + v][index];
    ApplyPose(frames[f], pose);
  }
}

}  // namespace

void RecordDemoSample() {
  std::int32_t& count = game::gameState.recordCount;
  // The record has room for kMaxSamples; past that the last sample is
  // overwritten. A count below zero can only come from outside the game's
  // flow, but must not index before the channels either.
  count = std::clamp(count, 0, kMaxSamples - 1) + 1;
  ReadSample(count);
  if (count == 1) {
    auto props = PropFrames();
    for (int p = 0; p < kPropFrames; ++p) ReadPose(props[p], &demoPropPoses[p * kPoseValues]);
  }
}

void PlayDemoSample() {
  game::GameState& g = game::gameState;
  if (g.playbackIndex < std::numeric_limits<std::int32_t>::max()) g.playbackIndex += 1;
  // The view ends the playback when it finds the index past the count.
  if (g.playbackIndex > g.recordCount) return;
  if (g.playbackIndex < 1 || g.playbackIndex > kMaxSamples) return;
  ApplySample(g.playbackIndex);
  if (g.playbackIndex == 1) {
    auto props = PropFrames();
    for (int p = 0; p < kPropFrames; ++p) ApplyPose(props[p], &demoPropPoses[p * kPoseValues]);
  }
}

namespace {
std::string g_demoToPlay;
}  // namespace

void PlayDemoFileInstead(const std::string& path) { g_demoToPlay = path; }
std::string DemoFileToPlay() { return g_demoToPlay.empty() ? DemoFileToRead() : g_demoToPlay; }

std::string DemoFilePath() { return platform::os::PlaceToWrite("demo.dat", platform::os::UserFolder::kData); }

std::string DemoFileToRead() { return platform::os::PlaceToRead("demo.dat", platform::os::UserFolder::kData); }

}  // namespace demo
