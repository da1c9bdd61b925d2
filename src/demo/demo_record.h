#pragma once
// The recording in memory: the sampled poses of the excavator and its heaps,
// and the props' poses taken with the first sample. Static storage for the
// program's lifetime, so recording and playback never allocate.
#include <array>
#include <cstddef>

namespace demo {

constexpr int kSampledFrames = 12;
constexpr int kPropFrames = 10;
constexpr int kPoseValues = 9;                           // position, direction, up
constexpr int kChannels = kSampledFrames * kPoseValues;  // 108
constexpr int kChannelLength = 20000;
// Samples are numbered 1..kMaxSamples; indices 0 and 19999 stay unused.
constexpr int kMaxSamples = kChannelLength - 2;         // 19998, 33 min 20 s at 10 a second
constexpr int kPropValues = kPropFrames * kPoseValues;  // 90

using Channel = std::array<float, kChannelLength>;

// Channel c holds value c % 9 of sampled frame c / 9, indexed by sample.
extern std::array<Channel, kChannels> demoChannels;
extern std::array<float, kPropValues> demoPropPoses;

}  // namespace demo
