#pragma once
// The live performance: one software synthesizer with the General MIDI
// SoundFont loaded once. It renders when asked (Service in the main loop, or
// Render for an offline caller) into a queued stream on the sound device;
// with no device it stays silent.
#include <memory>
#include <string>

#include "platform/music/performance.h"
#include "platform/music/queued_stream.h"

namespace platform::music {

class SynthPerformance final : public Performance {
 public:
  SynthPerformance();
  ~SynthPerformance() override;

  // Creates the synthesizer, at the device's rate, and loads the
  // instruments. A SoundFont that fails, or none at all, is said in one line
  // on standard error.
  HResult Init(const Ref<sound::Device>& device, const Options& options) override;
  using Performance::Init;
  HResult AddPort() override;
  bool Ready() const override;
  bool HasOutput() const override;
  int SampleRate() const override;
  const std::string& SoundFont() const { return soundFont_; }  // the one loaded

  HResult PlaySegment(Segment* segment, std::uint32_t flags, std::int64_t startTime, Ref<SegmentState>* state) override;
  HResult Stop() override;
  HResult CloseDown() override;
  void Service() override;
  void Render(std::int16_t* samples, int frames) override;
  bool IsPlaying() const override;
  const Ref<SegmentState>& PlayingState() const override { return pending_ ? pending_ : playing_; }

 private:
  struct Synth;
  HResult StartNow(const Ref<SegmentState>& state);
  std::int64_t FramesToNextBeat() const;
  void CheckSegmentEnd();

  std::unique_ptr<Synth> synth_;
  std::unique_ptr<QueuedStream> stream_;
  Ref<sound::Device> device_;
  std::string soundFont_;
  Ref<SegmentState> playing_;
  Ref<SegmentState> pending_;  // started with kBeat, waiting for the beat
  std::int64_t pendingFrames_ = 0;
  std::int64_t framesLeft_ = 0;  // of the playing segment
};

}  // namespace platform::music
