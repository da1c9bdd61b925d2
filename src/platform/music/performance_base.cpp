// What both sides of the performance keep alike: the checks a start makes,
// its numbered state, and the notifications waiting for the game.
#include "platform/music/music_result.h"
#include "platform/music/performance.h"

namespace platform::music {

HResult Performance::AddNotificationType(NotificationType type) {
  if (closed_) return kMusicClosed;
  if (type != NotificationType::Segment) return kEInvalidArg;
  segmentNotifications_ = true;
  return kOk;
}

HResult Performance::GetNotification(Notification* notification) {
  if (!notification) return kEInvalidArg;
  if (notifications_.empty()) return kFalse;
  *notification = std::move(notifications_.front());
  notifications_.pop_front();
  return kOk;
}

HResult Performance::NewState(Segment* segment, Ref<SegmentState>* state, Ref<SegmentState>* started) {
  if (state) state->reset();
  started->reset();
  if (!segment) return kEInvalidArg;
  if (closed_ || !Ready()) return kMusicNotInitialized;
  if (!segment->Info().valid) return kMusicBadFile;
  *started = MakeRef<SegmentState>(Ref<Segment>(segment), ++serial_);
  if (state) *state = *started;
  return kOk;
}

void Performance::NotifyEnd(const Ref<SegmentState>& state) {
  if (segmentNotifications_)
    notifications_.push_back({NotificationType::Segment, NotificationOption::SegmentEnd, state});
}

void Performance::Close() {
  notifications_.clear();
  closed_ = true;
}

}  // namespace platform::music
