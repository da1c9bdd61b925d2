#include "platform/joystick/plug_watch.h"

#include "platform/joystick/joystick_source.h"
#include "platform/os/turns.h"

namespace platform::joystick {

PlugWatch::PlugWatch(DeviceKind kind) : kind_(kind) {
  listening_ = kind_ == DeviceKind::kLive ? StartSdlPads(nullptr) : true;
  seen_ = Newest();
}

PlugWatch::~PlugWatch() {
  if (listening_ && kind_ == DeviceKind::kLive) StopSdlPads();
}

// The scripted joystick comes and goes with the script: 0 while there, -1
// while not, so that it arrives each time it comes back.
int PlugWatch::Newest() const {
  if (!listening_) return -1;
  if (kind_ == DeviceKind::kLive) return NewestSdlPad();
  return os::GetScriptedJoystick().attached ? 0 : -1;
}

bool PlugWatch::Arrived() {
  int newest = Newest();
  bool arrived = newest > seen_;
  seen_ = newest;
  return arrived;
}

}  // namespace platform::joystick
