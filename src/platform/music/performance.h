#pragma once
// The performance: one software synthesizer with the General MIDI SoundFont
// loaded once, playing one segment at a time. It renders when asked (Service
// in the main loop, or Render for an offline caller) into a queued stream on
// the sound device; with no device it stays silent. The end of a segment
// becomes a notification the game collects with GetNotification.
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "platform/music/queued_stream.h"
#include "platform/music/segment.h"
#include "platform/music/soundfont_search.h"
#include "platform/ref.h"
#include "platform/result.h"
#include "platform/sound/sound_device.h"

namespace platform::music {

enum class NotificationType { Segment };
enum class NotificationOption { SegmentEnd };

struct Notification {
  NotificationType type = NotificationType::Segment;
  NotificationOption option = NotificationOption::SegmentEnd;
  Ref<SegmentState> state;
};

// PlaySegment flags.
namespace segf {
constexpr std::uint32_t kBeat = 0x1000;  // start on the next beat
}

class Performance : public RefCounted {
 public:
  struct Options {
    // The fonts to try, in order; the first that loads plays.
    std::vector<std::string> soundFonts = SoundFontSearchOrder("");
    bool soundFontRequested = false;  // the first was asked for by the player
    int sampleRate = 44100;           // used when there is no device to follow
  };

  Performance();
  ~Performance() override;

  // Creates the synthesizer, at the device's rate, and loads the
  // instruments. A null device is a silent machine. A SoundFont that fails,
  // or none at all, is said in one line on standard error.
  HResult Init(const Ref<sound::Device>& device, const Options& options);
  HResult Init(const Ref<sound::Device>& device) { return Init(device, Options{}); }
  // Opens the output stream on the device given to Init; without a device
  // there is nothing to open and the performance plays silently.
  HResult AddPort();
  bool HasInstruments() const;
  bool HasOutput() const;
  int SampleRate() const;
  const std::string& SoundFont() const { return soundFont_; }  // the one loaded

  HResult AddNotificationType(NotificationType type);
  // Starts `segment`, replacing the one playing (its notes are released, not
  // cut): with kBeat on the playing segment's next beat, else at once.
  // `state` receives this start's state.
  HResult PlaySegment(Segment* segment, std::uint32_t flags, std::int64_t startTime, Ref<SegmentState>* state);
  // Silences everything; the stopped segment sends no end notification.
  HResult Stop();
  // kOk with the oldest waiting notification, kFalse when none waits.
  HResult GetNotification(Notification* notification);
  HResult CloseDown();

  // Keeps the output stream filled; does nothing without an output.
  void Service();
  // Renders `frames` stereo frames of interleaved 16-bit samples (2 * frames
  // values) and advances the playing segment by as much.
  void Render(std::int16_t* samples, int frames);
  bool IsPlaying() const;
  // The latest start, playing or waiting for its beat; null after a stop
  // or an end.
  const Ref<SegmentState>& PlayingState() const { return pending_ ? pending_ : playing_; }

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
  std::deque<Notification> notifications_;
  bool segmentNotifications_ = false;
  bool closed_ = false;
  std::uint64_t serial_ = 0;
  std::int64_t framesLeft_ = 0;  // of the playing segment
};

HResult CreatePerformance(Ref<Performance>* performance);

}  // namespace platform::music
