#pragma once
// The headless performance: it keeps the game's starts and stops as the
// synthesizer would, but loads no SoundFont and synthesizes nothing. Like the
// synthesizer without a sound device, nothing asks it for samples, so no
// time passes for it and its segments never end.
#include "platform/music/performance.h"

namespace platform::music {

class SilentPerformance final : public Performance {
 public:
  HResult Init(const Ref<sound::Device>& device, const Options& options) override;
  using Performance::Init;
  HResult AddPort() override;
  bool Ready() const override { return ready_; }
  bool HasOutput() const override { return false; }
  int SampleRate() const override { return 0; }

  HResult PlaySegment(Segment* segment, std::uint32_t flags, std::int64_t startTime, Ref<SegmentState>* state) override;
  HResult Stop() override;
  HResult CloseDown() override;
  void Service() override {}
  // Silence, however long.
  void Render(std::int16_t* samples, int frames) override;
  bool IsPlaying() const override { return playing_ != nullptr; }
  const Ref<SegmentState>& PlayingState() const override { return playing_; }

 private:
  bool ready_ = false;
  Ref<SegmentState> playing_;
};

}  // namespace platform::music
