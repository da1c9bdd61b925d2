#pragma once
// The performance: plays one segment at a time and turns the end of a
// segment into a notification the game collects with GetNotification. It
// has two sides (music_service.h): the synthesizer (synth_performance.h)
// and a silent one for headless runs (silent_performance.h).
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

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

  // Gets ready to play into `device`; a null device is a silent machine.
  virtual HResult Init(const Ref<sound::Device>& device, const Options& options) = 0;
  HResult Init(const Ref<sound::Device>& device) { return Init(device, Options{}); }
  // Opens the output stream on the device given to Init; without a device
  // there is nothing to open and the performance plays silently.
  virtual HResult AddPort() = 0;
  // True once Init succeeded: segments can be downloaded and played.
  virtual bool Ready() const = 0;
  virtual bool HasOutput() const = 0;
  virtual int SampleRate() const = 0;

  HResult AddNotificationType(NotificationType type);
  // Starts `segment`, replacing the one playing (its notes are released, not
  // cut): with kBeat on the playing segment's next beat, else at once.
  // `state` receives this start's state.
  virtual HResult PlaySegment(Segment* segment, std::uint32_t flags, std::int64_t startTime,
                              Ref<SegmentState>* state) = 0;
  // Silences everything; the stopped segment sends no end notification.
  virtual HResult Stop() = 0;
  // kOk with the oldest waiting notification, kFalse when none waits.
  HResult GetNotification(Notification* notification);
  virtual HResult CloseDown() = 0;

  // Keeps the output stream filled; does nothing without an output.
  virtual void Service() = 0;
  // Renders `frames` stereo frames of interleaved 16-bit samples (2 * frames
  // values) and advances the playing segment by as much.
  virtual void Render(std::int16_t* samples, int frames) = 0;
  virtual bool IsPlaying() const = 0;
  // The latest start, playing or waiting for its beat; null after a stop
  // or an end.
  virtual const Ref<SegmentState>& PlayingState() const = 0;

 protected:
  // The checks every start makes, and its new state (also into *state);
  // anything but kOk leaves *started null.
  HResult NewState(Segment* segment, Ref<SegmentState>* state, Ref<SegmentState>* started);
  // A segment that ended, for the game to hear of if it asked to.
  void NotifyEnd(const Ref<SegmentState>& state);
  // Marks the performance closed and forgets the waiting notifications.
  void Close();
  bool Closed() const { return closed_; }

 private:
  std::deque<Notification> notifications_;
  bool segmentNotifications_ = false;
  bool closed_ = false;
  std::uint64_t serial_ = 0;
};

}  // namespace platform::music
