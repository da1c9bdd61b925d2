#include "platform/music/silent_performance.h"

#include <algorithm>

#include "platform/music/music_result.h"

namespace platform::music {

HResult SilentPerformance::Init(const Ref<sound::Device>&, const Options&) {
  if (Closed()) return kMusicClosed;
  ready_ = true;
  return kOk;
}

HResult SilentPerformance::AddPort() {
  if (Closed()) return kMusicClosed;
  return ready_ ? kOk : kMusicNotInitialized;
}

HResult SilentPerformance::PlaySegment(Segment* segment, std::uint32_t, std::int64_t, Ref<SegmentState>* state) {
  Ref<SegmentState> started;
  if (const HResult checked = NewState(segment, state, &started); checked != kOk) return checked;
  playing_ = started;
  return kOk;
}

HResult SilentPerformance::Stop() {
  if (Closed()) return kMusicClosed;
  playing_.reset();
  return kOk;
}

HResult SilentPerformance::CloseDown() {
  if (Closed()) return kOk;
  playing_.reset();
  ready_ = false;
  Close();
  return kOk;
}

void SilentPerformance::Render(std::int16_t* samples, int frames) {
  if (samples && frames > 0) std::fill(samples, samples + 2 * static_cast<std::size_t>(frames), std::int16_t{0});
}

}  // namespace platform::music
